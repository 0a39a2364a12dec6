// The window's switches that the play sets: the attention timers and the menu
// commands that change the game.
#pragma once

#include "engine/Host.h"

namespace play {

class Controls {
public:
    virtual ~Controls() = default;

    virtual void SetTimerRunning(engine::AttentionTimer timer, bool running) = 0;
    virtual bool TimerRunning(engine::AttentionTimer timer) const = 0;
    // New Game, Open Game, Save Game and Borrow: off while a command runs.
    virtual void SetGameCommandsEnabled(bool enabled) = 0;
};

}  // namespace play
