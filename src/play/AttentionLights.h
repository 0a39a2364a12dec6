// The state behind the attention timers: which button is lit, the blinking
// spin button, the win flash and the bet-sign blink.
#pragma once

#include "engine/Random.h"

namespace play {

// The three buttons as one tick of the button attention lights them.
struct ButtonLights {
    bool betOne = false;
    bool spin = false;
    bool betFive = false;
};

class AttentionLights {
public:
    // Idle, one button is lit at a time, never the same one twice running
    // (the first pick is never bet one). With coins on the table or a win on
    // show all three are lit and the spin button blinks, drawing no random number.
    ButtonLights NextButtons(bool coinsOrWinShown, engine::Random& random);

    // The win flash's next phase: the title plate shows the phase before the
    // tick, the logo panel the one after, so the two always differ.
    struct WinFlash {
        bool plateLit = false;
        bool panelLit = false;
    };
    WinFlash NextWinFlash();

    // The bet sign's next state: lit and dim in turn.
    bool NextBetSign();

    // 0 bet one, 1 spin, 2 bet five: the button lit last when idle.
    int LastPick() const { return lastPick_; }
    bool WinFlashPhase() const { return winFlashPhase_; }
    bool BetSignPhase() const { return betSignPhase_; }

private:
    bool spinBlink_ = false;
    int lastPick_ = 0;
    bool winFlashPhase_ = false;
    bool betSignPhase_ = false;
};

}  // namespace play
