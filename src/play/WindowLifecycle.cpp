// Every transition of the main window's lifecycle.
#include "play/WindowLifecycle.h"

namespace play {

// SpinInProgress starts set (GameState's default): start-up holds input.
WindowLifecycle::WindowLifecycle(engine::GameState& state) : state_(state)
{}

void WindowLifecycle::Enter(WindowPhase phase)
{
    phase_ = phase;
    state_.SpinInProgress = phase == WindowPhase::Starting || phase == WindowPhase::Playing;
}

void WindowLifecycle::StartupFailed()
{
    phase_ = WindowPhase::Closed;
}

void WindowLifecycle::StartupTick()
{
    // The tick may come while a dialog is open: the table is released after it.
    if (phase_ == WindowPhase::DialogOpen && phaseBeforeDialog_ == WindowPhase::Starting) {
        phaseBeforeDialog_ = WindowPhase::Idle;
        state_.SpinInProgress = false;
        return;
    }
    if (phase_ == WindowPhase::Starting) Enter(WindowPhase::Idle);
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
    Enter(phaseBeforeDialog_);
    return closeAfterDialog_;
}

bool WindowLifecycle::BeginRecall()
{
    if (phase_ != WindowPhase::Idle) return false;
    Enter(WindowPhase::Recall);
    return true;
}

void WindowLifecycle::EndRecall()
{
    if (phase_ == WindowPhase::Recall) Enter(WindowPhase::Idle);
}

bool WindowLifecycle::BeginCommand()
{
    if (phase_ != WindowPhase::Idle) return false;
    Enter(WindowPhase::Playing);
    return true;
}

void WindowLifecycle::EndCommand()
{
    if (phase_ == WindowPhase::Playing) Enter(WindowPhase::Idle);
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
    case WindowPhase::Closing: return CloseStep::Ignore;
    case WindowPhase::Playing:
        // The caller has skipped the script to its end.
        Enter(WindowPhase::Idle);
        break;
    case WindowPhase::Starting:
    case WindowPhase::Recall:
    case WindowPhase::Idle: break;
    }
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
    Enter(phaseBeforeClose_);
    return false;
}

}  // namespace play
