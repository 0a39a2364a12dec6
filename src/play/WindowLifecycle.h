// The main window's lifecycle: starting, idle, a player's command running,
// finishing a spin for a close, closing and closed, as one state with every
// transition in WindowLifecycle.cpp.
#pragma once

#include "engine/Game.h"

namespace play {

enum class WindowPhase {
    Starting,       // shown, bets and spins held until the start-up tick (or New Game)
    Idle,           // waiting for the player
    Playing,        // a bet or spin command runs; its waits keep handling events
    DialogOpen,     // a modal dialog of a menu command is open; a close waits for it
    Recall,         // a past game is shown on the table: nothing is bet, spun, borrowed or saved
    FinishingSpin,  // a close came during the command: the spin completes at once, then the window closes
    Closing,        // the closing steps run (update reminder, save)
    Closed,         // the window may go
};

// What the window does with a close event.
enum class CloseStep {
    Accept,      // let the window close
    Ignore,      // keep it open: a close is already on its way
    FinishSpin,  // finish the running spin at once; the close follows when its command returns
    RunClose,    // run the closing steps now
};

// Owns the phase. The rules write the two GameState flags beside it: this
// class asks them to release the start-up hold on SpinInProgress and to set
// ClosingRequested once a close is asked for. The rules keep their own guard
// inside a spin; everything else asks this class.
class WindowLifecycle {
public:
    explicit WindowLifecycle(engine::Game& rules);

    WindowPhase Phase() const { return phase_; }

    // Bets and spins from the player are taken only when idle. The side
    // windows that change nothing of the game (statistics, payoff chart,
    // version, manual, sponsors) may open in any phase, a spin's included.
    bool AcceptsPlay() const { return phase_ == WindowPhase::Idle; }
    // A command is running: New Game, Open, Save and Borrow wait for it.
    bool CommandRunning() const { return phase_ == WindowPhase::Playing || phase_ == WindowPhase::FinishingSpin; }
    // New Game, Open, Save and Borrow: not during a command, nor in recall.
    bool AcceptsGameChanges() const { return !CommandRunning() && phase_ != WindowPhase::Recall; }
    bool Recalling() const { return phase_ == WindowPhase::Recall; }
    // The spin completes without sounds, slides or waits.
    bool FinishingSpin() const { return phase_ == WindowPhase::FinishingSpin; }
    // The update reminder runs unless a termination signal asked for the close.
    bool CloseWithReminder() const { return !closeBySignal_; }

    // Start-up failed: nothing was resumed, so a close writes nothing.
    void StartupFailed();
    // The start-up tick, or New Game before it, releases bets and spins.
    void StartupTick();
    void NewGameStarted();

    // A menu command's modal dialog: false, and nothing changes, unless idle
    // or starting. EndDialog is true when a close arrived meanwhile and is
    // due now.
    bool BeginDialog();
    bool EndDialog();

    // Recall: begins only when idle; ends back in idle.
    bool BeginRecall();
    void EndRecall();

    // A player's command: false, and nothing changes, unless idle.
    bool BeginCommand();
    // The command returned; true when a close arrived meanwhile and is due now.
    bool EndCommand();

    // SIGTERM or SIGHUP: the close that follows skips the update reminder.
    void SignalArrived();
    CloseStep CloseRequested();
    // The closing steps ended; true when the window may close. A failed save
    // keeps it open once (the player has been told); the next close goes
    // through whatever happens.
    bool CloseFinished(bool saved);

private:
    engine::Game& rules_;
    WindowPhase phase_ = WindowPhase::Starting;
    WindowPhase phaseBeforeClose_ = WindowPhase::Idle;   // where a failed close returns to
    WindowPhase phaseBeforeDialog_ = WindowPhase::Idle;  // where a closed dialog returns to
    bool closeAfterDialog_ = false;
    bool closeBySignal_ = false;
    bool saveFailedBefore_ = false;
};

}  // namespace play
