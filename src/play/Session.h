// The play of the game between the rules and the window: the window's
// lifecycle and the commands each phase allows, the scripts of the commands
// played on one timer, the owed bonus game, the attention lights, the save
// policy and the table's description. No toolkit: the window wires its input
// to it and implements the interfaces it talks through.
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
#include "play/Screen.h"
#include "play/ScriptPlayer.h"
#include "play/Sounds.h"
#include "play/SpokenTable.h"
#include "play/TableShown.h"
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

// What the window does once a dialog has returned.
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

class Session : private engine::Host, private ScriptListener {
public:
    // The spins' outcomes come from the generator unless another source is
    // given (the end-to-end build and the tests force the stops).
    explicit Session(SessionParts parts, engine::OutcomeSource& outcomes = engine::DefaultOutcomes());

    // The game: one record shared with every window, plain data. During a
    // command it already stands where the command settles; the table shows
    // the command's script catching up with it.
    engine::GameState& State() { return state_; }
    const engine::GameState& State() const { return state_; }
    // The program's one generator (the sponsor window reseeds it).
    engine::Random& Random() { return random_; }
    const engine::Random& Random() const { return random_; }
    const engine::Game& Rules() const { return game_; }
    const WindowLifecycle& Lifecycle() const { return lifecycle_; }
    const AttentionLights& Lights() const { return lights_; }
    FrameLog& Log() { return log_; }
    // What the table shows now (in recall, the recalled spin): what is drawn
    // and what a screen reader reads.
    const TableShown& Shown() const { return shown_; }

    // Start-up: the generator seeded, the reels at their start stops, an
    // empty table, the saved-games file checked (an unreadable one is told
    // once), the game that was running when the program last closed and the
    // history opened.
    void Resume();
    // Start-up failed: nothing was resumed, so a close writes nothing.
    void StartupFailed();
    // The start-up tick: the music starts, the table is released, and a
    // bonus game owed from the last run is played before any bet. What the
    // history's opening found is told then, over the table.
    void StartupTick();

    // A bet or spin from the player, taken only when idle: the rules decide
    // it, its outcome is made durable, and its script starts playing. The
    // game is saved again when the script ends.
    void Play(Command command);
    // True while a command's script plays (the bonus window's pick included).
    bool CommandRunning() const { return lifecycle_.CommandRunning(); }
    // New Game: not while a command runs; releases a start-up hold.
    void NewGame();
    // The whole table drawn again (first paint, New Game, after a dialog, a
    // resize); idle, from the game as it stands.
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

    // A side window that changes nothing of the game (statistics, payoff
    // chart, version, manual, sponsors) is open: a running script waits for
    // it to close, as the reels wait for a window opened over them.
    void HoldScript() { player_.Hold(true); }
    void ReleaseScript() { player_.Hold(false); }

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

    // Closing. A close during a command skips its script to the end (a
    // bonus window still open settles its box first), and the closing steps
    // run at once; SaveOnClose tells a failure once and CloseFinished says
    // whether the window may go.
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
    // A command's script started: the outcome it settles on secured first.
    void StartScript(engine::Script script);
    // Saves after a change; a failure is told once a run and the game goes on.
    void SaveAfterChange();
    void SaveGame(const engine::GameState& game);
    // Made durable before it is shown; a failure is told by the save at the
    // end of the command, which fails the same way.
    void SecureOutcome();

    void ShowRecalled();
    void ShowGame();
    // The description changed outside a script (a tick, a repaint).
    void Show(const TableShown& before);
    void SetTakesPlay();
    void Announce(const std::string& text);
    // A sentence kept to be told with the command's outcome, in one utterance.
    void TellAtEnd(const std::string& sentence);
    // A bet or spin refused while a script runs.
    void TellRefused();
    // The meter, the spin's outcome and the bonus game's, spoken once their
    // wins are counted.
    void AnnounceCounted();
    // The bonus window closed on a box: the prize secured and counted.
    void BonusBoxPicked(int box);

    // The history: an entry completed with the game after it and kept; what
    // the files tell of the history is held and told when no spin runs; the
    // closing makes a last try at writing what waits.
    void Record(store::HistoryEntry entry, const engine::GameState& after);
    void RecordSpin(const engine::GameState& before, const engine::ReelStops& drawn);
    void RecordBonus(int box, int32_t prize);
    void HistoryFailed(const std::string& notice);
    void TellHistoryProblem();
    void CloseHistory();

    // engine::Host
    bool StartPendingTrack() override;
    int32_t MotionHeight() const override;
    // ScriptListener
    void ShownChanged() override;
    void NudgeSettled(int reel, engine::SlideDirection direction) override;
    void BonusPickDue(const engine::BonusPrizes& prizes) override;
    void InformationDue(const std::string& text) override;
    void StepFailed(const std::string& error) override;
    void ScriptEnded() override;

    // Members are built in this order: the game record and the generator
    // before the rules that work on them, the frame log before the player
    // that writes to it.
    SessionParts parts_;
    engine::GameState state_;
    engine::Random random_;
    engine::Game game_;
    WindowLifecycle lifecycle_;
    AttentionLights lights_;
    FrameLog log_;
    TableShown shown_;
    ScriptPlayer player_;

    bool resumed_ = false;
    bool historyOn_ = false;                     // opened at start-up
    bool historyClosed_ = false;                 // its last try at closing made
    std::optional<std::string> historyProblem_;  // to be told
    // The running command: the game before it, and what is told at its end.
    engine::GameState commandBefore_;
    std::optional<std::string> commandError_;  // the music's failure, or a step's
    std::optional<std::string> information_;
    std::optional<engine::SpinOutcome> spinToAnnounce_;
    std::optional<std::pair<int, int32_t>> bonusToAnnounce_;  // the box and its prize
    bool meterMoved_ = false;
    std::string toldAtEnd_;     // sentences waiting for the outcome
    bool refusalTold_ = false;  // "Reels turning" said in this command
    int32_t creditsBeforeDialog_ = 0;
    std::optional<store::StoredEntry> recalled_;
    std::array<bool, 3> timersBeforeRecall_{};  // the attention timers, by AttentionTimer
    TableShown shownBeforeRecall_;
    bool saveFailureTold_ = false;       // after a spin or an opened game
    bool closeSaveFailureTold_ = false;  // by a close that stayed open
};

}  // namespace play
