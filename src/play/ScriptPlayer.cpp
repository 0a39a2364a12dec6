// The script's steps played in order on the injected clock: frames paced from
// the frame before, nudges stepped, sounds and pauses waited for.
#include "play/ScriptPlayer.h"

#include <exception>
#include <type_traits>
#include <utility>

namespace play {

namespace {

constexpr int64_t FrameMicros = 25'000;
constexpr int LastFrame = 47;
constexpr int SlideSteps = 8;
constexpr int SettleSteps = 8;
constexpr int64_t SlideStepMicros = 50'000;
constexpr int64_t SettleStepMicros = 20'000;

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

// The part of the description a showing step changes; false for the others.
bool ApplyToDescription(const engine::Step& step, TableShown& shown)
{
    namespace s = engine::step;
    return std::visit(Overloaded{
                          [&](const s::ShowCredits& c) { return shown.credits = c.credits, true; },
                          [&](const s::ShowCoins& c) {
                              shown.coins = c.coins;
                              shown.winnings = -1;  // the field is wiped with the coins
                              return true;
                          },
                          [&](const s::ShowWinnings& w) { return shown.winnings = w.shown, true; },
                          [&](const s::ShowButton& b) { return shown.Lit(b.button) = b.lit, true; },
                          [&](const s::ShowLamp& l) { return shown.Lit(l.lamp) = l.lit, true; },
                          [&](const s::ShowMeter& m) { return shown.meter = m.points, true; },
                          [&](const s::SpinReels& r) { return shown.stops = r.stops, true; },
                          [&](const s::NudgeReel& n) { return shown.stops[static_cast<size_t>(n.reel)] = n.to, true; },
                          [](const auto&) { return false; },
                      },
                      step);
}

}  // namespace

ScriptPlayer::ScriptPlayer(ScriptStage stage, TableShown& shown, ScriptListener& listener)
    : stage_(stage), shown_(shown), listener_(listener)
{}

ScriptPlayer::~ScriptPlayer()
{
    if (waitUntil_) stage_.clock.CancelWake();
}

void ScriptPlayer::Play(engine::Script script)
{
    Abandon();
    steps_ = std::move(script.steps);
    next_ = 0;
    playing_ = true;
    Run();
}

void ScriptPlayer::Continue(const engine::Script& more)
{
    if (!waitingForPick_) return;
    waitingForPick_ = false;
    steps_.insert(steps_.end(), more.steps.begin(), more.steps.end());
    if (!skipping_) Run();
}

void ScriptPlayer::Hold(bool held)
{
    held_ = held;
    if (!held_ && playing_ && !waitUntil_) Run();
}

void ScriptPlayer::Abandon()
{
    if (waitUntil_) stage_.clock.CancelWake();
    waitUntil_.reset();
    if (spin_) stage_.screen.HoldDrawings(false);
    spin_.reset();
    nudge_.reset();
    steps_.clear();
    next_ = 0;
    playing_ = false;
    waitingForPick_ = false;
}

void ScriptPlayer::SkipToEnd(const std::function<void()>& settlePick)
{
    if (!playing_) return;
    skipping_ = true;
    if (waitingForPick_ && settlePick) settlePick();
    if (waitUntil_) stage_.clock.CancelWake();
    waitUntil_.reset();
    if (spin_) {
        stage_.screen.HoldDrawings(false);
        shown_.stops = spin_->spin.stops;
        spin_.reset();
    }
    if (nudge_) {
        shown_.stops[static_cast<size_t>(nudge_->nudge.reel)] = nudge_->nudge.to;
        nudge_.reset();
    }
    // A pick already under way has been settled by the caller; one not yet
    // reached is not opened.
    waitingForPick_ = false;
    while (next_ < steps_.size()) {
        const engine::Step& step = steps_[next_++];
        if (std::holds_alternative<engine::step::PickBonusBox>(step)) break;
        ApplyQuietly(step);
    }
    skipping_ = false;
    stage_.screen.DrawTable(shown_);
    listener_.ShownChanged();
    Finish();
}

void ScriptPlayer::ApplyQuietly(const engine::Step& step)
{
    if (ApplyToDescription(step, shown_)) return;
    if (const auto* timer = std::get_if<engine::step::SwitchTimer>(&step)) {
        stage_.controls.SetTimerRunning(timer->timer, timer->on);
    } else if (const auto* info = std::get_if<engine::step::TellInformation>(&step)) {
        listener_.InformationDue(info->text);
    }
}

void ScriptPlayer::Finish()
{
    steps_.clear();
    next_ = 0;
    playing_ = false;
    listener_.ScriptEnded();
}

void ScriptPlayer::Show(const TableShown& before)
{
    if (before == shown_) return;
    stage_.screen.DrawChanges(before, shown_);
    listener_.ShownChanged();
}

void ScriptPlayer::WaitUntil(int64_t deadline)
{
    waitUntil_ = deadline;
    stage_.clock.WakeAt(deadline, [this] { Woken(); });
}

void ScriptPlayer::Woken()
{
    if (!waitUntil_) return;
    // Never early: a wake-up before the deadline waits again.
    if (stage_.clock.MonotonicMicros() < *waitUntil_) {
        WaitUntil(*waitUntil_);
        return;
    }
    waitUntil_.reset();
    Run();
}

void ScriptPlayer::Run()
{
    if (running_) return;
    std::string error;
    try {
        RunSteps();
        return;
    } catch (const std::exception& e) {
        error = e.what();
    } catch (...) {
        error = "Unknown error";
    }
    running_ = false;
    listener_.StepFailed(error);
    SkipToEnd();
}

void ScriptPlayer::RunSteps()
{
    running_ = true;
    while (playing_ && !held_ && !waitingForPick_ && !waitUntil_) {
        if (spin_) {
            if (!AdvanceSpin()) break;
            continue;
        }
        if (nudge_) {
            if (!AdvanceNudge()) break;
            continue;
        }
        if (next_ >= steps_.size()) {
            running_ = false;
            Finish();
            return;
        }
        // Copied: a step's listener may add steps, which moves the others.
        const engine::Step step = steps_[next_++];
        RunStep(step);
    }
    running_ = false;
}

void ScriptPlayer::RunStep(const engine::Step& step)
{
    namespace s = engine::step;
    const TableShown before = shown_;
    std::visit(Overloaded{
                   [&](const s::SpinReels& spin) {
                       // Drawings of the timers wait for the next frame; whatever is left at the end goes
                       // to the screen the usual way. A frame is drawn while the wait for it runs, so when
                       // the timer fires only the copy to the screen is left.
                       stage_.screen.HoldDrawings(true);
                       SpinMotion motion{spin};
                       motion.offsets = spin.offsets;
                       motion.next = stage_.screen.DrawSpinFrame(1, motion.offsets, spin.stops);
                       motion.shownAt = stage_.clock.MonotonicMicros();
                       stage_.log.Write("spin-start", 0);
                       spin_ = motion;
                       WaitUntil(motion.shownAt + FrameMicros);
                   },
                   [&](const s::NudgeReel& nudge) { nudge_ = NudgeMotion{nudge}; },
                   [&](const s::SwitchTimer& timer) { stage_.controls.SetTimerRunning(timer.timer, timer.on); },
                   [&](const s::PlayEffect& effect) {
                       if (const int64_t wait = stage_.sounds.StartEffect(effect.effect); wait > 0) WaitFor(wait);
                   },
                   [&](const s::PlayWinSound&) {
                       if (const int64_t wait = stage_.sounds.StartWinSound(); wait > 0) WaitFor(wait);
                   },
                   [&](const s::Pause& pause) {
                       if (pause.micros > 0) WaitFor(pause.micros);
                   },
                   [&](const s::PickBonusBox& pick) {
                       waitingForPick_ = true;
                       listener_.BonusPickDue(pick.prizes);
                   },
                   [&](const s::TellInformation& info) { listener_.InformationDue(info.text); },
                   [&](const auto& shown) {
                       ApplyToDescription(shown, shown_);
                       Show(before);
                   },
               },
               step);
}

bool ScriptPlayer::AdvanceSpin()
{
    // Each frame is shown 25 ms after the one before, never earlier; a late
    // frame delays the rest rather than being skipped.
    SpinMotion& motion = *spin_;
    motion.shownAt = stage_.clock.MonotonicMicros();
    stage_.log.Write("frame", motion.frame);
    stage_.screen.ShowSpinFrame();
    const ReelsStopped stopped = motion.next;
    for (int reel = 0; reel < engine::ReelCount; ++reel) {
        if (stopped[static_cast<size_t>(reel)]) stage_.sounds.StartEffect(engine::Effect::ReelStop);
    }
    if (motion.frame < LastFrame) {
        ++motion.frame;
        motion.next = stage_.screen.DrawSpinFrame(motion.frame, motion.offsets, motion.spin.stops);
        WaitUntil(motion.shownAt + FrameMicros);
        return false;
    }
    const TableShown before = shown_;
    shown_.stops = motion.spin.stops;
    spin_.reset();
    stage_.screen.HoldDrawings(false);
    if (before != shown_) listener_.ShownChanged();
    return true;
}

bool ScriptPlayer::AdvanceNudge()
{
    NudgeMotion& motion = *nudge_;
    const engine::step::NudgeReel& nudge = motion.nudge;
    if (motion.step < SlideSteps) {
        stage_.screen.DrawNudgeStep(nudge.reel, nudge.from, nudge.direction, motion.step);
        stage_.log.Write("nudge", nudge.reel, motion.step);
        ++motion.step;
        WaitFor(SlideStepMicros);
        return false;
    }
    const int settle = motion.step - SlideSteps;
    if (settle == 0) stage_.screen.CaptureSettle(nudge.reel);
    stage_.screen.DrawSettleStep(nudge.reel, settle);
    stage_.log.Write("settle", nudge.reel, settle);
    ++motion.step;
    if (settle + 1 < SettleSteps) {
        WaitFor(SettleStepMicros);
        return false;
    }
    shown_.stops[static_cast<size_t>(nudge.reel)] = nudge.to;
    const engine::step::NudgeReel settled = nudge;
    nudge_.reset();
    listener_.ShownChanged();
    listener_.NudgeSettled(settled.reel, settled.direction);
    return true;
}

}  // namespace play
