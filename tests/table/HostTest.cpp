// The window as the rules' host: paced frames and waits on the clock, the
// frame log, an animation cut short by a close, the bonus window, the
// menu's wiring and the error display.
#include <QFile>
#include <QPaintEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "dialogs/BonusWindow.h"

#include <climits>
#include <string>
#include <vector>

#include "WindowFixture.h"
#include "engine/Reels.h"
#include "web/WebLinks.h"

using namespace windowtest;

namespace {

struct LogLine {
    int64_t micros;
    std::string what;
    int a = -1;
    int b = -1;
};

std::vector<LogLine> ReadLog(const QString& path)
{
    std::vector<LogLine> lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return lines;
    while (!file.atEnd()) {
        const QList<QByteArray> parts = file.readLine().trimmed().split(' ');
        if (parts.size() < 3) continue;
        LogLine line{parts[0].toLongLong(), parts[1].toStdString(), parts[2].toInt()};
        if (parts.size() > 3) line.b = parts[3].toInt();
        lines.push_back(line);
    }
    return lines;
}

// Stops where reel 0 nudges down once and nothing else moves.
engine::ReelStops OneDownNudge()
{
    for (int a = 1; a <= 30; ++a) {
        engine::ReelStops stops{a, 14, 28};
        if (!engine::NeedsDownNudge(stops, 0)) continue;
        engine::ReelStops after = stops;
        after[0] = engine::WrapPosition(a - 1);
        bool more = engine::NeedsUpNudge(after, 0);
        for (int reel = 1; reel < engine::ReelCount; ++reel) {
            more = more || engine::NeedsDownNudge(stops, reel) || engine::NeedsUpNudge(stops, reel);
        }
        if (!more) return stops;
    }
    ADD_FAILURE() << "no stops with a single down nudge";
    return engine::StartStops;
}

class FrameLog : public ::testing::Test {
protected:
    void SetUp() override
    {
        logPath = logDir.path() + QStringLiteral("/frames.log");
        qputenv("PLUMFIZZ_FRAME_LOG", logPath.toUtf8());
        env.WriteSymbolSheet();
        form = env.MakeReady();
        qunsetenv("PLUMFIZZ_FRAME_LOG");
    }
    QTemporaryDir logDir;
    QString logPath;
    Environment env;
    std::unique_ptr<table::MainWindow> form;
};

}  // namespace

TEST_F(FrameLog, FramesStartEvery25MillisecondsAndNudgesAreLogged)
{
    const engine::ReelStops stops = OneDownNudge();
    env.stops.Force(stops);
    QTest::keyClick(form->View(), Qt::Key_B);
    PlayOut(env.platform, *form);
    QTest::keyClick(form->View(), Qt::Key_Space);
    PlayOut(env.platform, *form);

    const std::vector<LogLine> log = ReadLog(logPath);
    std::vector<int64_t> frames;
    int64_t start = -1;
    std::vector<LogLine> nudges, settles;
    for (const LogLine& line : log) {
        if (line.what == "spin-start") start = line.micros;
        if (line.what == "frame") {
            EXPECT_EQ(line.a, static_cast<int>(frames.size()) + 1);
            frames.push_back(line.micros);
        }
        if (line.what == "nudge") nudges.push_back(line);
        if (line.what == "settle") settles.push_back(line);
    }
    ASSERT_GE(start, 0);
    ASSERT_EQ(frames.size(), 47u);
    EXPECT_EQ(frames.front() - start, 25'000);
    for (size_t i = 1; i < frames.size(); ++i) EXPECT_EQ(frames[i] - frames[i - 1], 25'000) << "frame " << i + 1;
    EXPECT_EQ(frames.back() - start, 1'175'000);

    // One slide of eight steps 50 ms apart, then the eight-step settle with
    // seven 20 ms waits, all on reel 0.
    ASSERT_EQ(nudges.size(), 8u);
    ASSERT_EQ(settles.size(), 8u);
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(nudges[i].a, 0);
        EXPECT_EQ(nudges[i].b, static_cast<int>(i));
        EXPECT_EQ(settles[i].b, static_cast<int>(i));
        if (i > 0) {
            EXPECT_EQ(nudges[i].micros - nudges[i - 1].micros, 50'000);
            EXPECT_EQ(settles[i].micros - settles[i - 1].micros, 20'000);
        }
    }
    EXPECT_EQ(settles.front().micros - nudges.back().micros, 50'000);
    EXPECT_EQ(form->Session().Rules().Stops()[0], engine::WrapPosition(stops[0] - 1));
}

TEST_F(FrameLog, AttentionDrawingsBetweenFramesAreShownWithTheNextFrame)
{
    // Every paint of the table's widget, in order.
    struct PaintRecorder : QObject {
        std::vector<QRegion> regions;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint) regions.push_back(static_cast<QPaintEvent*>(event)->region());
            return false;
        }
    } recorder;
    form->View()->installEventFilter(&recorder);
    env.stops.Force(engine::StartStops);
    int waitsInSpin = 0;
    size_t paintsBeforeTick = 0;
    env.platform.onWait = [&] {
        if (form->Session().CommandRunning() && ++waitsInSpin == 5) {
            paintsBeforeTick = recorder.regions.size();
            form->ButtonAttentionTick();        // the buttons blink between two frames
            QCoreApplication::processEvents();  // as the rest of the wait would
        }
    };
    QTest::keyClick(form->View(), Qt::Key_B);
    PlayOut(env.platform, *form);
    QTest::keyClick(form->View(), Qt::Key_Space);
    PlayOut(env.platform, *form);

    ASSERT_GE(paintsBeforeTick, 1u);
    ASSERT_GT(recorder.regions.size(), paintsBeforeTick);
    // The next paint is the next frame's, the reels and the buttons together.
    const QRegion frameBefore = recorder.regions[paintsBeforeTick - 1];
    const QRegion nextPaint = recorder.regions[paintsBeforeTick];
    EXPECT_EQ(nextPaint.intersected(frameBefore), frameBefore);
    EXPECT_FALSE(nextPaint.subtracted(frameBefore).isEmpty()) << "the buttons' drawing was not shown with the frame";
}

TEST(WindowHost, DesktopWakeComesFromTheEventLoopNeverEarly)
{
    desktop::DesktopPlatform platform;
    bool delivered = false;
    int64_t wokenAt = 0;
    const int64_t deadline = platform.MonotonicMicros() + 3'000;
    platform.WakeAt(deadline, [&] { wokenAt = platform.MonotonicMicros(); });
    QTimer::singleShot(0, [&] { delivered = true; });
    EXPECT_EQ(wokenAt, 0) << "WakeAt returns at once";
    for (int i = 0; i < 200 && wokenAt == 0; ++i) QTest::qWait(1);
    EXPECT_TRUE(delivered);
    EXPECT_GE(wokenAt, deadline);
    EXPECT_EQ(platform.TickCount(), platform.MonotonicMicros() / 1000);

    // A cancelled wake-up never comes; a later one replaces an earlier one.
    int calls = 0;
    platform.WakeAt(platform.MonotonicMicros() + 1'000, [&] { ++calls; });
    platform.CancelWake();
    platform.WakeAt(platform.MonotonicMicros() + 2'000, [&] { calls += 10; });
    platform.WakeAt(platform.MonotonicMicros() + 3'000, [&] { calls += 100; });
    QTest::qWait(30);
    EXPECT_EQ(calls, 100);
}

// A game saved with its meter full, started: the start-up tick opens its bonus window.
std::unique_ptr<table::MainWindow> StartOwingABonusGame(Environment& env, const char* credits, const char* bonusWon)
{
    env.WriteSymbolSheet();
    env.WriteSavedGame(QStringLiteral("[CurrentGame]\nCredits=%1\nBonusPts=12\nBonusWon=%2\n")
                           .arg(QLatin1String(credits), QLatin1String(bonusWon)));
    auto form = env.Make();
    form->show();
    QCoreApplication::processEvents();
    form->StartupTick();
    StopTimers(*form);
    return form;
}

TEST(WindowHost, BonusGameIsPlayedInTheBonusWindowAndPaysItsPrize)
{
    Environment env;
    auto form = StartOwingABonusGame(env, "500", "100");
    dialogs::BonusWindow* bonus = form->Dialogs().OpenBonus();
    ASSERT_NE(bonus, nullptr);
    EXPECT_TRUE(form->Session().CommandRunning()) << "the script waits for the player's box";
    EXPECT_EQ(form->Session().State().BonusPts, 12);
    const engine::BonusPrizes prizes = form->Session().Rules().Prizes();
    engine::Random copy(form->Session().Random().Seed());
    const int32_t value = prizes[static_cast<size_t>(copy(8))];
    QTest::keyClick(bonus, Qt::Key_Return);
    EXPECT_EQ(form->Session().Random().Seed(), copy.Seed());  // Enter draws once from the shared generator
    bonus->FinishNow();
    PlayOut(env.platform, *form);
    EXPECT_EQ(form->Dialogs().OpenBonus(), nullptr);
    EXPECT_FALSE(form->Session().CommandRunning());
    EXPECT_EQ(form->Session().State().Credits, 500 + value);
    EXPECT_EQ(form->Session().State().BonusWon, 100 + value);
    EXPECT_EQ(form->Session().State().BonusPts, 0);
    EXPECT_EQ(env.Saved("Credits"), std::to_string(500 + value));
}

TEST(WindowHost, ASignalDuringTheBonusWindowStillPaysABox)
{
    Environment env;
    auto form = StartOwingABonusGame(env, "500", "0");
    ASSERT_NE(form->Dialogs().OpenBonus(), nullptr);
    form->OnTerminationRequested();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->Session().State().Credits, 500 + form->Session().State().BonusWon);
    EXPECT_EQ(env.Saved("BonusPts"), "0");
    EXPECT_EQ(env.Saved("Credits"), std::to_string(form->Session().State().Credits));
}

TEST(WindowHost, ErrorTextsEndWithAFullStop)
{
    EXPECT_EQ(dialogs::WithFullStop(QStringLiteral("File not found")), QStringLiteral("File not found."));
    EXPECT_EQ(dialogs::WithFullStop(QStringLiteral("Disk full.")), QStringLiteral("Disk full."));
}

namespace {

class RecordingShell : public web::Shell {
public:
    std::vector<QString> opened;
    int dialogs = 0;
    bool Open(const QString& address, QWidget*) override
    {
        opened.push_back(address);
        return true;
    }
    void ShowError(const QString&, QWidget*) override { ++dialogs; }
    void ShowInformation(const QString&, QWidget*) override { ++dialogs; }
};

}  // namespace

TEST(WindowMenu, SwitchesFollowTheirCheckMarks)
{
    Environment env;
    env.WriteSymbolSheet();
    auto form = env.MakeReady();

    form->Menu.Sound1->trigger();
    EXPECT_FALSE(form->Sounds().Effects().Enabled());
    EXPECT_FALSE(form->Menu.Sound1->isChecked());
    form->Menu.Sound1->trigger();
    EXPECT_TRUE(form->Sounds().Effects().Enabled());
    EXPECT_TRUE(form->Menu.Sound1->isChecked());

    form->Menu.Music1->trigger();
    EXPECT_FALSE(form->Sounds().Tracks().Enabled());
    EXPECT_FALSE(form->Menu.Music1->isChecked());
    form->Menu.Music1->trigger();
    EXPECT_TRUE(form->Sounds().Tracks().Enabled());
    EXPECT_TRUE(form->Menu.Music1->isChecked());
    EXPECT_TRUE(env.boxes.shown.empty());
}

TEST(WindowMenu, GamesPageGoesToTheBrowser)
{
    Environment env;
    env.WriteSymbolSheet();
    auto form = env.MakeReady();
    RecordingShell shell;
    web::ScopedShell scoped(shell);
    form->Menu.GamesPageItem->trigger();
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], web::GamesPage());
    EXPECT_EQ(shell.dialogs, 0);
}

TEST(WindowMenu, TheReminderAnsweredYesOpensTheGamePageQuietly)
{
    Environment env;
    env.WriteSymbolSheet();
    QDir().mkpath(env.ConfigDir() + QStringLiteral("/tallyho"));
    {
        QFile file(env.ProfileFile(QStringLiteral("thupdate.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Plumfizz Slots]\nVer=2.0\nUpdate=01/01/2001\n");
    }
    auto form = env.MakeReady();
    RecordingShell shell;
    web::ScopedShell scoped(shell);
    env.boxes.confirmAnswer = true;
    form->close();

    ASSERT_EQ(env.boxes.shown.size(), 1u);
    EXPECT_EQ(env.boxes.shown[0].kind, QStringLiteral("confirm"));
    EXPECT_TRUE(env.boxes.shown[0].text.startsWith(QStringLiteral("Plumfizz Slots\n\nVersion: 2.0\n\n")));
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], web::GamePage(QStringLiteral("plumfizz")));
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(env.Saved("GameName"), "CurrentGame");
}

TEST(WindowHost, ReelsComeToRestOnTheRulesStops)
{
    Environment env;
    env.WriteSymbolSheet();
    auto form = env.MakeReady();
    const auto shownCell = [&](int reel, int row) {
        const QRgb pixel = Environment::PixelAt(*form, 258 + reel * 104 + 38, 272 + row * 76 + 20);
        for (int cell = 0; cell < 16; ++cell) {
            if (pixel == CellColour(cell)) return cell;
        }
        return -1;
    };
    const auto expectRestingOn = [&](const engine::ReelStops& stops) {
        for (int reel = 0; reel < engine::ReelCount; ++reel) {
            for (int row = 0; row < 3; ++row) {
                EXPECT_EQ(shownCell(reel, row), engine::CellAt(reel, engine::WrapPosition(stops[reel] + row)))
                    << "reel " << reel << " row " << row;
            }
        }
    };
    expectRestingOn(engine::StartStops);

    // Random spins, with whatever nudges they bring, and one forced nudge.
    for (int spin = 0; spin < 12; ++spin) {
        QTest::keyClick(form->View(), Qt::Key_B);
        QTest::keyClick(form->View(), Qt::Key_Space);
        PlayOut(env.platform, *form);
        expectRestingOn(form->Session().Rules().Stops());
    }
    const engine::ReelStops nudged = OneDownNudge();
    env.stops.Force(nudged);
    QTest::keyClick(form->View(), Qt::Key_B);
    PlayOut(env.platform, *form);
    QTest::keyClick(form->View(), Qt::Key_Space);
    PlayOut(env.platform, *form);
    EXPECT_NE(form->Session().Rules().Stops(), nudged);
    expectRestingOn(form->Session().Rules().Stops());
}

