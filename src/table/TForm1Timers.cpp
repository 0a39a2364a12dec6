// The attention timers: hopping buttons, the blinking spin button, the win
// flash and the bet-sign blink, and the tick that starts pending music.
#include "table/TForm1.h"

#include "dialogs/TTrickForm.h"

namespace table {

void TForm1::Timer2Timer()
{
    Guarded([this] {
        if (State.BetCoins > 0 || Timer3.isActive()) {
            // Coins on the table or a win on show: the spin button blinks.
            SpinBlink = !SpinBlink;
            DrawButton(engine::Button::BetOne, true);
            DrawButton(engine::Button::Spin, SpinBlink);
            DrawButton(engine::Button::BetFive, true);
            return;
        }
        // Idle: one button lit at a time, never the same one twice running.
        int pick = random_(3);
        while (pick == LastAttractPick) pick = random_(3);
        LastAttractPick = pick;
        DrawButton(engine::Button::BetOne, pick == 0);
        DrawButton(engine::Button::Spin, pick == 1);
        DrawButton(engine::Button::BetFive, pick == 2);
    });
}

void TForm1::Timer3Timer()
{
    Guarded([this] {
        // The plate and the panel always show opposite states.
        DrawTitlePlate(WinFlashPhase);
        WinFlashPhase = !WinFlashPhase;
        DrawLogoPanel(WinFlashPhase);
    });
}

void TForm1::Timer4Timer()
{
    // Starting a track takes tens of milliseconds (the synthesiser loads its
    // soundfont). Inside a spin that would stall the reels or the count-up, so
    // a pending track waits for the spin to end (or starts with the next one),
    // except while the bonus window waits for the player.
    if (lifecycle_.CommandRunning() && !dialogs::TTrickForm::OpenForm()) return;
    Guarded([this] {
        if (!music_.StartPendingTrack()) ShowHandlerError(QString::fromStdString(music_.LastError()));
    });
}

void TForm1::Timer5Timer()
{
    Guarded([this] {
        BetSignPhase = !BetSignPhase;
        DrawBetSign(BetSignPhase);
    });
}

}  // namespace table
