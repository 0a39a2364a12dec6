// The main window's lifecycle: starting, idle, a command's script playing, a
// game-changing dialog open, recall, closing and closed, as one state with
// every transition in WindowLifecycle.cpp.
#pragma once

#include "engine/GameState.h"

namespace play {

enum class WindowPhase {
    Starting,    // shown, bets and spins held until the start-up tick (or New Game)
    Idle,        // waiting for the player
    Playing,     // a command's script plays, the bonus window's pick included
    DialogOpen,  // a window that may replace the game is open (slots); a close waits for it
    Recall,      // a past game is shown on the table: nothing is bet, spun, borrowed or saved
    Closing,     // the closing steps run (update reminder, save)
    Closed,      // the window may go
};

// What the window does with a close event.
enum class CloseStep {
    Accept,    // let the window close
    Ignore,    // keep it open: a close is already on its way
    RunClose,  // run the closing steps now (a running script has been skipped to its end)
};

// Owns the phase, and with it GameState's SpinInProgress: set while starting
// and while a command plays, clear otherwise.
class WindowLifecycle {
public:
    explicit WindowLifecycle(engine::GameState& state);

    WindowPhase Phase() const { return phase_; }

    // Bets and spins from the player are taken only when idle. The side
    // windows that change nothing of the game (statistics, payoff chart,
    // version, manual, sponsors) may open in any phase, a spin's included.
    bool AcceptsPlay() const { return phase_ == WindowPhase::Idle; }
    // A command is running: New Game, Open, Save and Borrow wait for it.
    bool CommandRunning() const { return phase_ == WindowPhase::Playing; }
    // New Game, Open, Save and Borrow: not during a command, nor in recall.
    bool AcceptsGameChanges() const { return !CommandRunning() && phase_ != WindowPhase::Recall; }
    bool Recalling() const { return phase_ == WindowPhase::Recall; }
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

    // A player's command (or the owed bonus game): false, and nothing
    // changes, unless idle.
    bool BeginCommand();
    void EndCommand();

    // SIGTERM or SIGHUP: the close that follows skips the update reminder.
    void SignalArrived();
    // Playing counts as idle here: the caller has skipped the script.
    CloseStep CloseRequested();
    // The closing steps ended; true when the window may close. A failed save
    // keeps it open once (the player has been told); the next close goes
    // through whatever happens.
    bool CloseFinished(bool saved);

private:
    void Enter(WindowPhase phase);

    engine::GameState& state_;
    WindowPhase phase_ = WindowPhase::Starting;
    WindowPhase phaseBeforeClose_ = WindowPhase::Idle;   // where a failed close returns to
    WindowPhase phaseBeforeDialog_ = WindowPhase::Idle;  // where a closed dialog returns to
    bool closeAfterDialog_ = false;
    bool closeBySignal_ = false;
    bool saveFailedBefore_ = false;
};

}  // namespace play
