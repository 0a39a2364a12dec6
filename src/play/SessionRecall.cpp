// Recall: a spin of the history shown again on the table as it ended, its
// replay, and the return to the game as it was.
#include <langinfo.h>

#include <cstdio>
#include <ctime>
#include <string>

#include "engine/SpinOutcome.h"
#include "play/Session.h"
#include "store/GameStore.h"

namespace play {

namespace {

constexpr int RecallableSpins = 10;
constexpr engine::AttentionTimer AttentionTimers[] = {
    engine::AttentionTimer::ButtonAttention, engine::AttentionTimer::WinFlash, engine::AttentionTimer::BetSignBlink};

// "2026-12-07T19:58:47.349Z" in the player's time zone, to the minute, its
// date as the saved games write it ("12/07/26" with the locale's separator).
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
    char clock[16];
    std::strftime(clock, sizeof clock, "%H:%M", &local);
    const char* format = nl_langinfo(D_FMT);
    return store::FormatGameDate(local, store::DateSeparatorFromFormat(format != nullptr ? format : "")) + " " + clock;
}

}  // namespace

bool Session::Recall(const store::StoredEntry& spin)
{
    if (spin.entry.kind != store::HistoryKind::Spin) return false;
    if (!lifecycle_.Recalling()) {
        if (!lifecycle_.BeginRecall()) return false;
        parts_.screen.KeepTable();
        shownBeforeRecall_ = shown_;
        // The lights keep still under the mark; they run again as they did.
        for (size_t t = 0; t < std::size(AttentionTimers); ++t) {
            timersBeforeRecall_[t] = parts_.controls.TimerRunning(AttentionTimers[t]);
            parts_.controls.SetTimerRunning(AttentionTimers[t], false);
        }
    }
    player_.Abandon();
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
    TableShown table;
    table.stops = outcome.resting;
    table.credits = e.creditsAfter;
    table.coins = e.bet;
    table.winnings = e.win > 0 ? e.win : -1;
    table.meter = e.meterAfter;
    table.recallMark = "Spin " + std::to_string(e.spins) + " of " + e.game + ", " + LocalTime(recalled_->time);
    shown_ = table;
    parts_.screen.DrawTable(shown_);
    parts_.announcer.TableChanged();
}

void Session::ReplayRecalled()
{
    if (!recalled_) return;
    // The spin's frames from its drawn stops, then the nudges as it played
    // them: each reel's Down, then its Up, with their sounds.
    const engine::SpinOutcome outcome =
        engine::DecideSpin(recalled_->entry.stops, recalled_->entry.bet, recalled_->entry.meterBefore);
    engine::Script replay;
    replay.Add(engine::step::SpinReels{engine::MotionOffsets{}, outcome.drawn});
    engine::ReelStops stops = outcome.drawn;
    for (int reel = 0; reel < engine::ReelCount; ++reel) {
        const auto r = static_cast<size_t>(reel);
        for (const bool down : {true, false}) {
            if (!(down ? outcome.nudgedDown[r] : outcome.nudgedUp[r])) continue;
            const int32_t from = stops[r];
            stops[r] = engine::WrapPosition(engine::WrapPosition(from) + (down ? -1 : 1));
            replay.Add(engine::step::PlayEffect{down ? engine::Effect::NudgeDown : engine::Effect::NudgeUp});
            replay.Add(engine::step::NudgeReel{
                reel, down ? engine::SlideDirection::Down : engine::SlideDirection::Up, from, stops[r]});
        }
    }
    player_.Play(std::move(replay));
}

void Session::EndRecall()
{
    if (!lifecycle_.Recalling()) return;
    player_.Abandon();
    recalled_.reset();
    lifecycle_.EndRecall();
    // The game as it was: nothing of it changed, so nothing is saved.
    if (parts_.screen.RestoreTable()) {
        shown_ = shownBeforeRecall_;
        SetTakesPlay();
        parts_.announcer.TableChanged();
    } else {
        ShowGame();
    }
    for (size_t t = 0; t < std::size(AttentionTimers); ++t) {
        parts_.controls.SetTimerRunning(AttentionTimers[t], timersBeforeRecall_[t]);
    }
}

}  // namespace play
