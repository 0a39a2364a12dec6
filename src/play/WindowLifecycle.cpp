// Every transition of the main window's lifecycle.
#include "play/WindowLifecycle.h"

namespace play {

// SpinInProgress starts set (GameState's default): start-up holds input.
WindowLifecycle::WindowLifecycle(engine::Game& rules) : rules_(rules)
{}

void WindowLifecycle::StartupFailed()
{
    phase_ = WindowPhase::Closed;
}

void WindowLifecycle::StartupTick()
{
    // The tick may come while a dialog is open: the table is released after it.
    if (phase_ == WindowPhase::DialogOpen && phaseBeforeDialog_ == WindowPhase::Starting) {
        phaseBeforeDialog_ = WindowPhase::Idle;
        rules_.ReleaseStartupHold();
        return;
    }
    // A spin started after an early New Game releases the table itself.
    if (phase_ != WindowPhase::Starting) return;
    phase_ = WindowPhase::Idle;
    rules_.ReleaseStartupHold();
}

void WindowLifecycle::NewGameStarted()
{
    StartupTick();
}

bool WindowLifecycle::BeginDialog()
{
    if (phase_ != WindowPhase::Idle && phase_ != WindowPhase::Starting) return false;
    phaseBeforeDialog_ = phase_;
    closeAfterDialog_ = false;
    phase_ = WindowPhase::DialogOpen;
    return true;
}

bool WindowLifecycle::EndDialog()
{
    if (phase_ != WindowPhase::DialogOpen) return false;
    phase_ = phaseBeforeDialog_;
    return closeAfterDialog_;
}

bool WindowLifecycle::BeginRecall()
{
    if (phase_ != WindowPhase::Idle) return false;
    phase_ = WindowPhase::Recall;
    return true;
}

void WindowLifecycle::EndRecall()
{
    if (phase_ == WindowPhase::Recall) phase_ = WindowPhase::Idle;
}

bool WindowLifecycle::BeginCommand()
{
    if (phase_ != WindowPhase::Idle) return false;
    phase_ = WindowPhase::Playing;
    return true;
}

bool WindowLifecycle::EndCommand()
{
    if (phase_ == WindowPhase::Playing) {
        phase_ = WindowPhase::Idle;
        return false;
    }
    if (phase_ == WindowPhase::FinishingSpin) {
        phase_ = WindowPhase::Idle;
        return true;
    }
    return false;
}

void WindowLifecycle::SignalArrived()
{
    closeBySignal_ = true;
}

CloseStep WindowLifecycle::CloseRequested()
{
    switch (phase_) {
    case WindowPhase::Closed: return CloseStep::Accept;
    case WindowPhase::DialogOpen:
        // The dialog ends first (a signal dismisses it); then the close runs.
        closeAfterDialog_ = true;
        return CloseStep::Ignore;
    case WindowPhase::Closing:
    case WindowPhase::FinishingSpin: return CloseStep::Ignore;
    case WindowPhase::Playing:
        rules_.RequestClose();
        phase_ = WindowPhase::FinishingSpin;
        return CloseStep::FinishSpin;
    case WindowPhase::Starting:
    case WindowPhase::Recall:
    case WindowPhase::Idle: break;
    }
    rules_.RequestClose();
    phaseBeforeClose_ = phase_;
    phase_ = WindowPhase::Closing;
    return CloseStep::RunClose;
}

bool WindowLifecycle::CloseFinished(bool saved)
{
    if (phase_ != WindowPhase::Closing) return phase_ == WindowPhase::Closed;
    if (saved || saveFailedBefore_) {
        phase_ = WindowPhase::Closed;
        return true;
    }
    // The game stays open rather than lose what the file does not hold.
    saveFailedBefore_ = true;
    closeBySignal_ = false;
    phase_ = phaseBeforeClose_;
    return false;
}

}  // namespace play
