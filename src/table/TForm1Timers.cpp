// The attention timers: hopping buttons, the blinking spin button, the win
// flash and the bet-sign blink, and the tick that starts pending music.
#include "table/TForm1.h"

namespace table {

void TForm1::Timer2Timer()
{
    Guarded([this] {
        if (State.BetCoins > 0 || Timer3.isActive()) {
            // Coins on the table or a win on show: the spin button blinks.
            SpinBlink = !SpinBlink;
            DrawButton('1', 1);
            DrawButton('S', SpinBlink ? 1 : 0);
            DrawButton('5', 1);
            return;
        }
        // Idle: one button lit at a time, never the same one twice running.
        int pick = random_(3);
        while (pick == LastAttractPick) pick = random_(3);
        LastAttractPick = pick;
        DrawButton('1', pick == 0 ? 1 : 0);
        DrawButton('S', pick == 1 ? 1 : 0);
        DrawButton('5', pick == 2 ? 1 : 0);
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
