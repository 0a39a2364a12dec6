// The window's switches as the play sets them: the attention timers and the
// menu commands that change the game.
#pragma once

#include <QAction>
#include <QTimer>

#include "play/Controls.h"
#include "table/MainMenu.h"

namespace table {

class TableControls final : public play::Controls {
public:
    // The button-attention, win-flash and bet-sign timers, and the menu.
    TableControls(QTimer& buttonAttention, QTimer& winFlash, QTimer& betSign, const MainMenuActions& menu)
        : buttonAttention_(buttonAttention), winFlash_(winFlash), betSign_(betSign), menu_(menu)
    {}

    void SetTimerRunning(engine::AttentionTimer timer, bool running) override
    {
        QTimer& t = TimerOf(timer);
        if (!running) {
            t.stop();
        } else if (!t.isActive()) {
            t.start();
        }
    }
    bool TimerRunning(engine::AttentionTimer timer) const override { return TimerOf(timer).isActive(); }
    void SetGameCommandsEnabled(bool enabled) override
    {
        // The commands that change the game would corrupt a spin's payout.
        for (QAction* action : {menu_.NewGame1, menu_.OpenGame1, menu_.SaveGame1, menu_.Borrow1}) {
            if (action) action->setEnabled(enabled);
        }
    }

private:
    QTimer& TimerOf(engine::AttentionTimer timer) const
    {
        switch (timer) {
        case engine::AttentionTimer::ButtonAttention: return buttonAttention_;
        case engine::AttentionTimer::WinFlash: return winFlash_;
        case engine::AttentionTimer::BetSignBlink: break;
        }
        return betSign_;
    }

    QTimer& buttonAttention_;
    QTimer& winFlash_;
    QTimer& betSign_;
    const MainMenuActions& menu_;
};

}  // namespace table
