// The play of the game between the rules and the window: the window's
// lifecycle and the commands each phase allows, the owed bonus game, the
// attention lights, the save policy and the frame schedule. No toolkit: the
// window wires its input to it and implements the interfaces it talks through.
#pragma once

#include <array>
#include <exception>
#include <optional>
#include <string>
#include <utility>

#include "engine/Game.h"
#include "engine/GameState.h"
#include "engine/Host.h"
#include "engine/Outcomes.h"
#include "engine/Random.h"
#include "engine/SpinOutcome.h"
#include "play/Announcer.h"
#include "play/AttentionLights.h"
#include "play/Clock.h"
#include "play/Controls.h"
#include "play/Dialogs.h"
#include "play/FrameLog.h"
#include "play/GameFiles.h"
#include "play/ReelMotion.h"
#include "play/Screen.h"
#include "play/Sounds.h"
#include "play/SpokenTable.h"
#include "play/WindowLifecycle.h"
#include "store/GameHistory.h"

namespace play {

// The player's commands on the table.
enum class Command { BetOne, BetFive, Spin };

// The command of a button of the table.
constexpr Command CommandOf(engine::Button button)
{
    return button == engine::Button::BetOne    ? Command::BetOne
           : button == engine::Button::BetFive ? Command::BetFive
                                               : Command::Spin;
}

// Stepping through the last ten spins in recall.
enum class RecallStep { Previous, Next };

// What the window does once a command or a dialog has returned.
enum class Then { Stay, Close };

// An error's text as the player is shown it: with a full stop at the end.
std::string WithFullStop(const std::string& text);

// Runs a handler; an error that escapes it is shown, and the program goes on.
// True when the handler completed.
template <typename Handler>
bool Guarded(Dialogs& dialogs, Handler&& handler)
{
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        dialogs.ShowError(error.what());
    } catch (...) {
        dialogs.ShowError("Unknown error");
    }
    return false;
}

// What the play talks to: all of it belongs to the window and outlives the play.
struct SessionParts {
    Screen& screen;
    Clock& clock;
    Controls& controls;
    Dialogs& dialogs;
    Sounds& sounds;
    GameFiles& files;
    Announcer& announcer;
};

class Session : private engine::Host {
public:
    // The spins' outcomes come from the generator unless another source is
    // given (the end-to-end build and the tests force the stops).
    explicit Session(SessionParts parts, engine::OutcomeSource& outcomes = engine::DefaultOutcomes());

    // The game: one record shared with every window, plain data.
    engine::GameState& State() { return state_; }
    const engine::GameState& State() const { return state_; }
    // The program's one generator (the sponsor window reseeds it).
    engine::Random& Random() { return random_; }
    const engine::Random& Random() const { return random_; }
    const engine::Game& Rules() const { return game_; }
    const WindowLifecycle& Lifecycle() const { return lifecycle_; }
    const AttentionLights& Lights() const { return lights_; }
    FrameLog& Log() { return log_; }
    // What the table shows now (in recall, the recalled spin), for a screen reader.
    const TableReading& Reading() const { return reading_; }

    // Start-up: the generator seeded, the reels at their start stops, an
    // empty table, the saved-games file checked (an unreadable one is told
    // once) and the game that was running when the program last closed.
    void Resume();
    // Start-up failed: nothing was resumed, so a close writes nothing.
    void StartupFailed();
    // The start-up tick: the music starts, the table is released, and a
    // bonus game owed from the last run is played before any bet.
    Then StartupTick();

    // A bet or spin from the player, taken only when idle. The game is saved
    // after a played spin; Close when a close arrived during it.
    Then Play(Command command);
    // New Game: not while a command runs; releases a start-up hold.
    void NewGame();
    // The whole table drawn again (first paint, New Game, after a dialog, a
    // resize); in recall, the recalled spin.
    void Repaint();
    // Saves the current game; throws when it cannot be written.
    void SaveCurrentGame();
    // After the borrow window: the table shows the new balance, the history
    // keeps the borrowing or paying back, and the file holds it (throws when
    // it cannot be written).
    void AfterBorrow(const engine::GameState& before);
    // New Game, Borrow, Open and Save wait while a command runs, and are
    // refused in recall.
    bool GameCommandsAllowed() const { return lifecycle_.AcceptsGameChanges(); }

    // Recall: a spin of the history shown on the table as it ended (its
    // stops after the nudges, the meter, Coins, Winnings and Credits), under
    // the recall mark, with the attention lights still. Nothing is bet, spun,
    // borrowed or saved until it ends, and the table is then shown as it was.
    // Begins only when idle (or recalling: another spin is shown).
    bool Recall(const store::StoredEntry& spin);
    bool Recalling() const { return lifecycle_.Recalling(); }
    // The previous (older) or next of the last ten spins; false at either end.
    bool StepRecall(RecallStep step);
    // The recalled spin's frames and nudges again, with their sounds.
    void ReplayRecalled();
    void EndRecall();

    // A menu command's modal dialog that may replace the game: false unless
    // idle or starting. EndDialog saves and shows a replaced game.
    bool BeginDialog();
    Then EndDialog(bool gameReplaced);

    // The timers' ticks.
    void ButtonAttentionTick();
    void WinFlashTick();
    void BetSignTick();
    void PendingTrackTick();

    // Closing. A close during a spin finishes it at once (RunClose comes when
    // its command returns); SaveOnClose tells a failure once and
    // CloseFinished says whether the window may go.
    CloseStep CloseRequested();
    void SignalArrived();
    bool CloseWithReminder() const { return lifecycle_.CloseWithReminder(); }
    bool SaveOnClose();
    bool CloseFinished(bool saved)
    {
        if (!lifecycle_.CloseFinished(saved)) return false;
        CloseHistory();
        return true;
    }

private:
    // A player's command through the lifecycle, with the save after it.
    Then RunCommand(void (engine::Game::*operation)());
    // Saves after a change; a failure is told once a run and the game goes on.
    void SaveAfterChange();
    void SaveGame(const engine::GameState& game);
    bool Finishing() const { return lifecycle_.FinishingSpin(); }

    void ShowRecalled();

    // The reading kept as the table is drawn; a change is told to the announcer.
    void SetReading(TableReading reading);
    void RefreshReading() { SetReading(reading_); }
    void Announce(const std::string& text);
    // The meter, the spin's outcome and the bonus game's, spoken once their
    // wins are counted.
    void AnnounceCounted();

    // The history: an entry completed with the game after it and kept; what
    // the files tell of the history is held and told when no spin runs; the
    // closing makes a last try at writing what waits.
    void Record(store::HistoryEntry entry, const engine::GameState& after);
    void RecordOutcome(const engine::GameState& settled);
    void HistoryFailed(const std::string& notice);
    void TellHistoryProblem();
    void CloseHistory();

    // engine::Host
    void DrawCreditsCounter() override;
    void DrawCoinsCounter() override;
    void DrawWinningsCaption() override;
    void DrawWinningsCounter(int32_t shown) override;
    void DrawButton(engine::Button button, bool lit) override;
    void DrawLogoPanel(bool lit) override;
    void DrawTitlePlate(bool lit) override;
    void DrawBetSign(bool lit) override;
    void DrawBonusMeter() override;
    void SetTimerEnabled(engine::AttentionTimer timer, bool enabled) override;
    bool IsTimerEnabled(engine::AttentionTimer timer) const override;
    void PlaySoundEffect(engine::Effect effect) override;
    void PlayWinSound() override;
    void Delay(double seconds) override;
    void ShowInformation(const std::string& text) override;
    bool StartPendingTrack() override;
    int32_t MotionHeight() const override;
    void AnimateSpin(const engine::MotionOffsets& offsets) override;
    void SlideReel(int reel, engine::SlideDirection direction) override;
    void SettleReel(int reel) override;
    void SecureOutcome(const engine::GameState& settled) override;
    void RunBonusWindow(const engine::BonusPrizes& prizes) override;

    SessionParts parts_;
    engine::GameState state_;
    engine::Random random_;
    engine::Game game_;
    WindowLifecycle lifecycle_;
    AttentionLights lights_;
    FrameLog log_;
    ReelMotion motion_;

    bool resumed_ = false;
    bool historyOn_ = false;                     // opened at start-up
    std::optional<std::string> historyProblem_;  // to be told
    // The bonus window's box and the prizes it held, until its outcome is secured.
    struct BonusPick {
        int box = 0;
        engine::BonusPrizes prizes{};
    };
    std::optional<BonusPick> bonusPick_;
    int32_t creditsBeforeDialog_ = 0;
    std::optional<store::StoredEntry> recalled_;
    std::array<bool, 3> timersBeforeRecall_{};  // the attention timers, by AttentionTimer
    TableReading reading_;
    TableReading readingBeforeRecall_;
    std::optional<engine::SpinOutcome> spinToAnnounce_;
    std::optional<std::pair<int, int32_t>> bonusToAnnounce_;  // the box and its prize
    engine::SlideDirection nudgeDirection_ = engine::SlideDirection::Down;
    bool meterMoved_ = false;
    bool saveFailureTold_ = false;       // after a spin or an opened game
    bool closeSaveFailureTold_ = false;  // by a close that stayed open
};

}  // namespace play
