// Recall: a spin of the history shown again on the table as it ended, its
// replay, and the return to the game as it was.
#include <cstdio>
#include <ctime>
#include <sstream>
#include <string>

#include "engine/SpinOutcome.h"
#include "play/Session.h"

namespace play {

namespace {

constexpr int RecallableSpins = 10;
constexpr engine::AttentionTimer AttentionTimers[] = {
    engine::AttentionTimer::ButtonAttention, engine::AttentionTimer::WinFlash, engine::AttentionTimer::BetSignBlink};

// "2026-12-07T19:58:47.349Z" in the player's time zone, to the minute.
std::string LocalTime(const std::string& utc)
{
    std::tm time{};
    if (std::sscanf(utc.c_str(), "%d-%d-%dT%d:%d:%d", &time.tm_year, &time.tm_mon, &time.tm_mday, &time.tm_hour,
                    &time.tm_min, &time.tm_sec) != 6) {
        return utc;
    }
    time.tm_year -= 1900;
    time.tm_mon -= 1;
    const std::time_t seconds = timegm(&time);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

}  // namespace

bool Session::Recall(const store::StoredEntry& spin)
{
    if (spin.entry.kind != store::HistoryKind::Spin) return false;
    if (!lifecycle_.Recalling()) {
        if (!lifecycle_.BeginRecall()) return false;
        parts_.screen.KeepTable();
        readingBeforeRecall_ = reading_;
        // The lights keep still under the mark; they run again as they did.
        for (size_t t = 0; t < std::size(AttentionTimers); ++t) {
            timersBeforeRecall_[t] = parts_.controls.TimerRunning(AttentionTimers[t]);
            parts_.controls.SetTimerRunning(AttentionTimers[t], false);
        }
    }
    recalled_ = spin;
    ShowRecalled();
    return true;
}

bool Session::StepRecall(RecallStep step)
{
    if (!recalled_) return false;
    const std::vector<store::StoredEntry> spins = parts_.files.LastSpins(RecallableSpins);
    for (size_t i = 0; i < spins.size(); ++i) {
        if (spins[i].id != recalled_->id) continue;
        // Newest first: the previous spin comes after it in the list, the next before it.
        if (step == RecallStep::Previous) return i + 1 < spins.size() && Recall(spins[i + 1]);
        return i > 0 && Recall(spins[i - 1]);
    }
    // A spin older than the last ten steps to the oldest of them, or the newest.
    if (spins.empty()) return false;
    return Recall(step == RecallStep::Previous ? spins.back() : spins.front());
}

void Session::ShowRecalled()
{
    const store::HistoryEntry& e = recalled_->entry;
    const engine::SpinOutcome outcome = engine::DecideSpin(e.stops, e.bet, e.meterBefore);
    parts_.screen.DrawTable(outcome.resting, e.creditsAfter, e.bet, e.meterAfter);
    SetReading({outcome.resting, e.creditsAfter, e.bet, e.win > 0 ? e.win : -1, e.meterAfter});
    if (e.win > 0) {
        parts_.screen.DrawWinningsCaption();
        parts_.screen.DrawWinnings(e.win);
    }
    parts_.screen.DrawRecallMark("Spin " + std::to_string(e.spins) + " of " + e.game + ", " +
                                 LocalTime(recalled_->time));
}

void Session::ReplayRecalled()
{
    if (!recalled_) return;
    const store::StoredEntry spin = *recalled_;
    // Another spin recalled, or the recall ended, stops the replay.
    const auto cut = [this, id = spin.id] { return !recalled_ || recalled_->id != id; };
    engine::ReelStops stops = spin.entry.stops;
    motion_.Spin(
        engine::MotionOffsets{}, stops, [this](int) { parts_.sounds.PlayEffect(engine::Effect::ReelStop); }, cut);
    // The nudges as the spin played them: each reel's Down, then its Up.
    std::istringstream nudges(spin.entry.nudges);
    std::string moves;
    for (int reel = 0; reel < engine::ReelCount && nudges >> moves; ++reel) {
        for (const char move : moves) {
            if (move == '-' || cut()) continue;
            const bool down = move == 'D';
            const auto r = static_cast<size_t>(reel);
            parts_.sounds.PlayEffect(down ? engine::Effect::NudgeDown : engine::Effect::NudgeUp);
            motion_.Slide(reel, stops[r], down ? engine::SlideDirection::Down : engine::SlideDirection::Up, cut);
            stops[r] = engine::WrapPosition(engine::WrapPosition(stops[r]) + (down ? -1 : 1));
            motion_.Settle(reel, cut);
        }
    }
    if (!cut()) ShowRecalled();
}

void Session::EndRecall()
{
    if (!lifecycle_.Recalling()) return;
    recalled_.reset();
    lifecycle_.EndRecall();
    // The game as it was: nothing of it changed, so nothing is saved.
    if (parts_.screen.RestoreTable()) {
        SetReading(readingBeforeRecall_);
    } else {
        Repaint();
    }
    for (size_t t = 0; t < std::size(AttentionTimers); ++t) {
        parts_.controls.SetTimerRunning(AttentionTimers[t], timersBeforeRecall_[t]);
    }
}

}  // namespace play
