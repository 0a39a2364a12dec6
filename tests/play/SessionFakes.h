// Stand-ins for everything the play talks to: a screen that writes down what
// it was asked to draw, a clock that moves only when waited on, timers,
// boxes, sounds and a saved-games file kept in memory.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "play/Session.h"

namespace playtest {

class FakeScreen : public play::Screen {
public:
    std::map<engine::Button, bool> buttons;
    int buttonDraws = 0;
    int tables = 0;
    std::vector<std::string> recallMarks;
    bool kept = false;
    std::vector<int64_t> framesShown;  // the clock's time at each frame shown
    const play::Clock* clock = nullptr;

    void DrawTable(const engine::ReelStops&, int32_t, int32_t, int32_t) override { ++tables; }
    void DrawCredits(int32_t) override {}
    void DrawCoins(int32_t) override {}
    void DrawWinningsCaption() override {}
    void DrawWinnings(int32_t) override {}
    void DrawButton(engine::Button button, bool lit) override
    {
        buttons[button] = lit;
        ++buttonDraws;
    }
    void DrawLogoPanel(bool) override {}
    void DrawTitlePlate(bool) override {}
    void DrawBetSign(bool) override {}
    void DrawBonusMeter(int32_t) override {}
    void DrawRecallMark(const std::string& detail) override { recallMarks.push_back(detail); }
    void KeepTable() override { kept = true; }
    bool RestoreTable() override { return std::exchange(kept, false); }
    int32_t MotionHeight() const override { return 456; }
    void HoldDrawings(bool) override {}
    play::ReelsStopped DrawSpinFrame(int frame, engine::MotionOffsets&, const engine::ReelStops&) override
    {
        return {frame == 20, frame == 33, frame == 47};
    }
    void ShowSpinFrame() override { framesShown.push_back(clock ? clock->MonotonicMicros() : 0); }
    void DrawNudgeStep(int, int32_t, engine::SlideDirection, int) override {}
    void CaptureSettle(int) override {}
    void DrawSettleStep(int, int) override {}
};

class FakeClock : public play::Clock {
public:
    int64_t now = 1'000'000;
    int waits = 0;
    // Runs inside every wait: a test acts "during" one.
    std::function<void()> onWait;

    int64_t MonotonicMicros() const override { return now; }
    void WaitUntil(int64_t deadline) override
    {
        ++waits;
        if (deadline > now) now = deadline;
        if (onWait) onWait();
    }
};

class FakeControls : public play::Controls {
public:
    std::map<engine::AttentionTimer, bool> running;
    bool commandsEnabled = true;

    void SetTimerRunning(engine::AttentionTimer timer, bool on) override { running[timer] = on; }
    bool TimerRunning(engine::AttentionTimer timer) const override
    {
        const auto found = running.find(timer);
        return found != running.end() && found->second;
    }
    void SetGameCommandsEnabled(bool enabled) override { commandsEnabled = enabled; }
};

class FakeDialogs : public play::Dialogs {
public:
    std::vector<std::string> information;
    std::vector<std::string> errors;
    int bonusWindows = 0;
    int32_t lastPrize = 0;
    bool finishedNow = false;

    void ShowInformation(const std::string& text) override { information.push_back(text); }
    void ShowError(const std::string& text) override { errors.push_back(text); }
    // The player picks the first box.
    int RunBonusWindow(engine::GameState& state, const engine::BonusPrizes& prizes, engine::Random&,
                       const std::function<void(engine::Effect)>&) override
    {
        ++bonusWindows;
        lastPrize = prizes[0];
        state.SpinWin = prizes[0];
        state.BonusWon += prizes[0];
        return 1;
    }
    bool BonusWindowOpen() const override { return false; }
    void FinishBonusWindowNow() override { finishedNow = true; }
};

class FakeSounds : public play::Sounds {
public:
    std::vector<engine::Effect> effects;
    void PlayEffect(engine::Effect effect) override { effects.push_back(effect); }
    void PlayWinSound() override {}
    void StartMusic() override {}
    bool StartPendingTrack(std::string&) override { return true; }
};

// The announcements in order, and how often the reading was said to change.
class FakeAnnouncer : public play::Announcer {
public:
    void TableChanged() override { ++changes; }
    void Announce(const std::string& text) override { spoken.push_back(text); }
    int changes = 0;
    std::vector<std::string> spoken;
};

class FakeFiles : public play::GameFiles {
public:
    engine::GameState stored;  // what LoadCurrentGame gives
    std::vector<engine::GameState> saves;
    std::optional<std::string> failure;  // every save fails with it when set
    std::vector<store::HistoryEntry> history;
    std::optional<std::string> historyFailure;  // opening and every entry tell it when set
    std::optional<std::string> closeNotice;     // what the closing tells
    int historyClosings = 0;
    std::vector<store::HistoryEntry> waiting;
    bool failing = false;
    std::optional<std::string> FailureBegins()
    {
        if (!historyFailure || failing) return std::nullopt;
        failing = true;
        return historyFailure;
    }

    std::optional<std::string> CheckAtStart() override { return std::nullopt; }
    void LoadCurrentGame(engine::GameState& state) override
    {
        state.Credits = stored.Credits;
        state.BonusPts = stored.BonusPts;
    }
    void SaveCurrentGame(const engine::GameState& state) override
    {
        if (failure) throw std::runtime_error(*failure);
        saves.push_back(state);
    }
    // As the real files do: a failure is told when it begins, the entries
    // wait, and they go in before the next one that can be written, told too.
    std::optional<std::string> OpenHistory() override { return FailureBegins(); }
    std::optional<std::string> Record(const store::HistoryEntry& entry) override
    {
        waiting.push_back(entry);
        if (historyFailure) return FailureBegins();
        history.insert(history.end(), waiting.begin(), waiting.end());
        const size_t added = waiting.size() - 1;
        waiting.clear();
        if (!failing) return std::nullopt;
        failing = false;
        return "The game history is kept again; " + std::to_string(added) + " entries were added.";
    }
    std::optional<std::string> CloseHistory() override
    {
        ++historyClosings;
        return closeNotice;
    }
    std::vector<store::StoredEntry> LastSpins(int count) override
    {
        std::vector<store::StoredEntry> spins;
        for (size_t i = history.size(); i-- > 0 && static_cast<int>(spins.size()) < count;) {
            if (history[i].kind == store::HistoryKind::Spin) {
                spins.push_back({static_cast<int64_t>(i + 1), "2026-12-07T20:00:00.000Z", history[i]});
            }
        }
        return spins;
    }
};

// A session on the fakes, resumed from `files.stored`, after its start-up tick
// unless asked not to.
struct Table {
    FakeScreen screen;
    FakeClock clock;
    FakeControls controls;
    FakeDialogs dialogs;
    FakeSounds sounds;
    FakeFiles files;
    FakeAnnouncer announcer;
    std::optional<play::Session> session;

    explicit Table(engine::OutcomeSource& outcomes = engine::DefaultOutcomes()) : outcomes_(outcomes)
    {
        screen.clock = &clock;
    }
    play::Session& Start(bool tick = true)
    {
        session.emplace(play::SessionParts{screen, clock, controls, dialogs, sounds, files, announcer}, outcomes_);
        session->Resume();
        if (tick) session->StartupTick();
        return *session;
    }

private:
    engine::OutcomeSource& outcomes_;
};

}  // namespace playtest
