// The attention timers, read back from the table's surface: which button is
// lit, the blinking spin button, the win flash and the bet-sign blink, and
// who switches them.
#include <gtest/gtest.h>

#include <set>

#include "WindowFixture.h"
#include "engine/BonusMeter.h"
#include "engine/PayTable.h"

using namespace windowtest;

namespace {

// The state each button shows on the table: 0, 1, or -1 for neither picture.
int ShownState(const table::MainWindow& form, char name)
{
    const int top = name == 'S' ? 293 : name == '1' ? 362 : 432;
    const QRgb pixel = Environment::PixelAt(form, 616, top + 29);
    if (pixel == ButtonColour(name, 1)) return 1;
    if (pixel == ButtonColour(name, 0)) return 0;
    return -1;
}

// Lit (1), dim (0) or neither (-1) for the three attention areas.
int AreaState(const table::MainWindow& form, int x, int y, QRgb dim)
{
    const QRgb pixel = Environment::PixelAt(form, x, y);
    if (pixel == TableColour) return 1;
    if (pixel == dim) return 0;
    return -1;
}
int LogoPanel(const table::MainWindow& form)
{
    return AreaState(form, 398, 180, LogoDimColour);
}
int TitlePlate(const table::MainWindow& form)
{
    return AreaState(form, 439, 567, PlateDimColour);
}
int BetSign(const table::MainWindow& form)
{
    return AreaState(form, 602, 141, SignDimColour);
}

// Stops that end a spin with no win, no bonus points and no nudges.
engine::ReelStops QuietLosingStops()
{
    for (int a = 1; a <= 30; ++a) {
        for (int b = 1; b <= 30; ++b) {
            for (int c = 1; c <= 30; ++c) {
                const engine::ReelStops stops{a, b, c};
                bool nudges = false;
                for (int reel = 0; reel < engine::ReelCount; ++reel) {
                    nudges = nudges || engine::NeedsDownNudge(stops, reel) || engine::NeedsUpNudge(stops, reel);
                }
                if (!nudges && engine::MatchPayRule(engine::ReadPayline(stops)) == engine::PayRule::None &&
                    engine::PaylineBonusPoints(stops) == 0 && !engine::ResetOnPayline(stops)) {
                    return stops;
                }
            }
        }
    }
    ADD_FAILURE() << "no quiet losing stops";
    return engine::StartStops;
}

class WindowTimers : public ::testing::Test {
protected:
    void SetUp() override
    {
        env.WriteSymbolSheet();
        env.WriteMarkedPictures();
        form = env.MakeReady();
    }
    Environment env;
    std::unique_ptr<table::MainWindow> form;
};

}  // namespace

TEST_F(WindowTimers, RepaintShowsEverythingLit)
{
    EXPECT_EQ(ShownState(*form, '1'), 1);
    EXPECT_EQ(ShownState(*form, '5'), 1);
    EXPECT_EQ(ShownState(*form, 'S'), 1);
    EXPECT_EQ(LogoPanel(*form), 1);
    EXPECT_EQ(TitlePlate(*form), 1);
    EXPECT_EQ(BetSign(*form), 1);
}

TEST_F(WindowTimers, WinFlashKeepsPanelAndPlateOpposite)
{
    for (int tick = 0; tick < 5; ++tick) {
        const bool phaseBefore = form->Session().Lights().WinFlashPhase();
        form->WinFlashTick();
        EXPECT_EQ(TitlePlate(*form), phaseBefore ? 1 : 0);
        EXPECT_EQ(LogoPanel(*form), phaseBefore ? 0 : 1);
        EXPECT_NE(form->Session().Lights().WinFlashPhase(), phaseBefore);
    }
}

TEST_F(WindowTimers, BetSignBlinks)
{
    int previous = -1;
    for (int tick = 0; tick < 5; ++tick) {
        form->BetSignTick();
        const int now = BetSign(*form);
        EXPECT_NE(now, -1);
        EXPECT_NE(now, previous);
        EXPECT_EQ(now, form->Session().Lights().BetSignPhase() ? 1 : 0);
        previous = now;
    }
}

TEST_F(WindowTimers, ASpinSwitchesTheAttentionOffAndBackOn)
{
    form->ButtonAttentionTimer.start();
    form->BetSignTimer.start();
    bool seen = false;
    env.platform.onWait = [&] {
        if (seen || !form->Session().CommandRunning()) return;
        seen = true;
        EXPECT_FALSE(form->ButtonAttentionTimer.isActive());
        EXPECT_FALSE(form->WinFlashTimer.isActive());
        EXPECT_FALSE(form->BetSignTimer.isActive());
        EXPECT_EQ(ShownState(*form, '1'), 0);
        EXPECT_EQ(ShownState(*form, '5'), 0);
        EXPECT_EQ(ShownState(*form, 'S'), 0);
        EXPECT_EQ(BetSign(*form), 1);
        EXPECT_EQ(LogoPanel(*form), 1);
        EXPECT_EQ(TitlePlate(*form), 1);
    };

    // A win: the flash runs on, the sign waits.
    env.stops.Force(engine::StartStops);
    form->Session().Play(play::Command::BetOne);
    PlayOut(env.platform, *form);
    form->Session().Play(play::Command::Spin);
    PlayOut(env.platform, *form);
    ASSERT_TRUE(seen);
    EXPECT_GT(form->Session().State().Credits, 999);
    EXPECT_TRUE(form->ButtonAttentionTimer.isActive());
    EXPECT_TRUE(form->WinFlashTimer.isActive());
    EXPECT_FALSE(form->BetSignTimer.isActive());
    EXPECT_EQ(ShownState(*form, 'S'), 1);

    // The next spin without a win ends the flash and brings the sign back.
    const engine::ReelStops losing = QuietLosingStops();
    env.stops.Force(losing);
    const int32_t credits = form->Session().State().Credits;
    form->Session().Play(play::Command::Spin);
    PlayOut(env.platform, *form);
    EXPECT_EQ(form->Session().State().Credits, credits - 1);
    EXPECT_TRUE(form->ButtonAttentionTimer.isActive());
    EXPECT_FALSE(form->WinFlashTimer.isActive());
    EXPECT_TRUE(form->BetSignTimer.isActive());
}
