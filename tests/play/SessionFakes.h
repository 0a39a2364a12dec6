// Stand-ins for everything the play talks to: a screen that writes down what
// it was asked to draw, a clock that moves only when its wake-up runs, timers,
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
    play::TableShown lastTable;  // as last drawn whole
    std::vector<std::string> recallMarks;
    bool kept = false;
    std::vector<int64_t> framesShown;  // the clock's time at each frame shown
    const play::Clock* clock = nullptr;

    void DrawTable(const play::TableShown& table) override
    {
        ++tables;
        lastTable = table;
        for (const engine::Button b : {engine::Button::BetOne, engine::Button::BetFive, engine::Button::Spin}) {
            buttons[b] = table.Lit(b);
        }
        if (!table.recallMark.empty()) recallMarks.push_back(table.recallMark);
    }
    void DrawChanges(const play::TableShown& before, const play::TableShown& now) override
    {
        for (const engine::Button b : {engine::Button::BetOne, engine::Button::BetFive, engine::Button::Spin}) {
            buttons[b] = now.Lit(b);
            if (before.Lit(b) != now.Lit(b)) ++buttonDraws;
        }
    }
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

// A clock that moves only when its wake-up is run: each one jumps to its
// deadline, as a punctual timer would.
class FakeClock : public play::Clock {
public:
    int64_t now = 1'000'000;
    int waits = 0;
    // Runs at every wake-up before the play is woken: a test acts "during" a wait.
    std::function<void()> onWait;

    int64_t MonotonicMicros() const override { return now; }
    void WakeAt(int64_t deadline, std::function<void()> wake) override
    {
        deadline_ = deadline;
        wake_ = std::move(wake);
    }
    void CancelWake() override { wake_ = nullptr; }
    bool WakePending() const { return wake_ != nullptr; }

    // Runs wake-ups until none is asked for (at most `limit`).
    void RunAll(int limit = 100'000)
    {
        while (wake_ && limit-- > 0) {
            ++waits;
            if (deadline_ > now) now = deadline_;
            if (onWait) onWait();
            if (!wake_) continue;  // cancelled during the wait
            auto wake = std::exchange(wake_, nullptr);
            wake();
        }
    }

private:
    int64_t deadline_ = 0;
    std::function<void()> wake_;
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
    // The player picks the first box at once unless told to wait.
    bool pickAtOnce = true;

    void ShowInformation(const std::string& text) override { information.push_back(text); }
    void ShowError(const std::string& text) override { errors.push_back(text); }
    void OpenBonusWindow(const engine::BonusPrizes& prizes, engine::Random&, std::function<void(engine::Effect)>,
                         std::function<void(int)> picked) override
    {
        ++bonusWindows;
        prizes_ = prizes;
        picked_ = std::move(picked);
        if (pickAtOnce) Pick(1);
    }
    bool BonusWindowOpen() const override { return picked_ != nullptr; }
    void FinishBonusWindowNow() override
    {
        finishedNow = true;
        if (picked_) Pick(1);
    }
    // The player opens a box (1..8) and the window closes.
    void Pick(int box)
    {
        lastPrize = prizes_[static_cast<size_t>(box - 1)];
        std::exchange(picked_, nullptr)(box);
    }

private:
    engine::BonusPrizes prizes_{};
    std::function<void(int)> picked_;
};

class FakeSounds : public play::Sounds {
public:
    std::vector<engine::Effect> effects;
    int winSounds = 0;
    int64_t effectWait = 0;  // what a waited-for effect takes
    std::optional<engine::Effect> failOn;  // this effect cannot be read
    int64_t StartEffect(engine::Effect effect) override
    {
        if (failOn == effect) throw std::runtime_error("Device not ready");
        effects.push_back(effect);
        return effect == engine::Effect::MeterPoint || effect == engine::Effect::MeterReset ? effectWait : 0;
    }
    int64_t StartWinSound() override { return ++winSounds, effectWait; }
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
        session->Repaint();  // the window's first paint
        if (tick) StartupTick();
        return *session;
    }
    void StartupTick()
    {
        session->StartupTick();
        clock.RunAll();
    }
    // A command and its whole script.
    void Play(play::Command command)
    {
        session->Play(command);
        clock.RunAll();
    }

private:
    engine::OutcomeSource& outcomes_;
};

}  // namespace playtest
