// The play's commands: start-up, the player's bets and spins with their
// scripts, the dialogs that may replace the game, the attention ticks, saving
// and closing.
#include "play/Session.h"

#include <utility>

#include "engine/BonusMeter.h"

namespace play {

std::string WithFullStop(const std::string& text)
{
    return !text.empty() && text.back() == '.' ? text : text + '.';
}

Session::Session(SessionParts parts, engine::OutcomeSource& outcomes)
    : parts_(parts),
      game_(state_, random_, *this, outcomes),
      lifecycle_(state_),
      log_(parts.clock),
      player_(ScriptStage{parts.screen, parts.clock, parts.sounds, parts.controls, log_}, shown_, *this)
{}

void Session::Resume()
{
    random_.SeedFromTimeOfDay();
    game_.Stops() = engine::StartStops;
    state_.BetCoins = 0;
    state_.LastBet = 0;
    if (const auto problem = parts_.files.CheckAtStart()) {
        // Told here, once: the saves that follow fail the same way and say nothing more.
        saveFailureTold_ = true;
        parts_.dialogs.ShowError(*problem);
    }
    parts_.files.LoadCurrentGame(state_);
    resumed_ = true;
    // What the history's opening tells waits for the start-up tick, when the
    // table is on the screen.
    if (const auto notice = parts_.files.OpenHistory()) HistoryFailed(*notice);
    historyOn_ = true;
}

void Session::StartupFailed()
{
    lifecycle_.StartupFailed();
}

void Session::StartupTick()
{
    Guarded(parts_.dialogs, [this] {
        parts_.sounds.StartMusic();
        parts_.sounds.StartEffect(engine::Effect::Fanfare);
        lifecycle_.StartupTick();
        SetTakesPlay();
        // Without a resumed game (start-up was cut short) a fresh one starts.
        if (!resumed_) {
            engine::StartNewGame(state_);
            Repaint();
        }
    });
    // A bonus game owed by a spin that did not end (its meter was saved full)
    // is played before the first bet can come: a Reset would empty the meter.
    if (state_.BonusPts >= engine::BonusMeterFull && lifecycle_.BeginCommand()) {
        commandBefore_ = state_;
        StartScript(game_.PlayOwedBonusGame());
    }
    // Over the table now shown; after the owed bonus game where one plays.
    TellHistoryProblem();
}

void Session::Play(Command command)
{
    if (!lifecycle_.BeginCommand()) {
        TellRefused();
        return;
    }
    commandBefore_ = state_;
    parts_.controls.SetGameCommandsEnabled(false);
    engine::Script script;
    const bool decided = Guarded(parts_.dialogs, [&] {
        switch (command) {
        case Command::BetOne: game_.BetOne(&script); break;
        case Command::BetFive: game_.BetFive(&script); break;
        case Command::Spin: game_.Spin(&script); break;
        }
    });
    if (!decided) script = {};
    if (state_.Spins != commandBefore_.Spins) {
        for (const engine::Step& step : script.steps) {
            if (const auto* spin = std::get_if<engine::step::SpinReels>(&step)) RecordSpin(commandBefore_, spin->stops);
        }
    }
    StartScript(std::move(script));
}

void Session::StartScript(engine::Script script)
{
    SetTakesPlay();
    refusalTold_ = false;
    toldAtEnd_.clear();
    // The outcome is decided: it is made durable before it is shown.
    if (state_.Spins != commandBefore_.Spins || state_.BonusPts != commandBefore_.BonusPts) SecureOutcome();
    player_.Play(std::move(script));
}

void Session::SecureOutcome()
{
    try {
        SaveGame(state_);
    } catch (const std::exception&) {}
}

void Session::ScriptEnded()
{
    if (recalled_) {
        ShowRecalled();  // after a replay, the spin as it ended
        return;
    }
    if (!lifecycle_.CommandRunning()) return;
    lifecycle_.EndCommand();
    parts_.controls.SetGameCommandsEnabled(true);
    SetTakesPlay();
    if (state_.Spins == commandBefore_.Spins && state_.BetCoins != commandBefore_.BetCoins) {
        TellAtEnd(BetAnnouncement(state_.BetCoins, state_.Credits));
    }
    AnnounceCounted();
    // A played spin (or an owed bonus game) is saved again when it ends.
    if (state_.Spins != commandBefore_.Spins || state_.BonusPts != commandBefore_.BonusPts) SaveAfterChange();
    if (commandError_) {
        const std::string error = *commandError_;
        commandError_.reset();
        parts_.dialogs.ShowError(error);
    }
    if (information_) {
        const std::string text = *information_;
        information_.reset();
        parts_.dialogs.ShowInformation(text);
    }
    TellHistoryProblem();
}

void Session::StepFailed(const std::string& error)
{
    if (!commandError_) commandError_ = error;
}

void Session::InformationDue(const std::string& text)
{
    information_ = text;
}

void Session::BonusPickDue(const engine::BonusPrizes& prizes)
{
    // The spin's own win, counted by now, is told before the boxes.
    AnnounceCounted();
    parts_.dialogs.OpenBonusWindow(
        prizes, random_, [this](engine::Effect effect) { parts_.sounds.StartEffect(effect); },
        [this](int box) { BonusBoxPicked(box); });
}

void Session::BonusBoxPicked(int box)
{
    if (!game_.BonusPickPending()) return;
    const int32_t prize = game_.PrizeInBox(box);
    const engine::Script rest = game_.PickBonusBox(box);
    // The prize and the emptied meter are made durable before the prize is
    // counted: the bonus game owed is paid, and never owed twice.
    SecureOutcome();
    RecordBonus(box, prize);
    bonusToAnnounce_ = std::make_pair(box, prize);
    meterMoved_ = true;
    player_.Continue(rest);
}

void Session::NewGame()
{
    if (!lifecycle_.AcceptsGameChanges()) return;
    Guarded(parts_.dialogs, [this] {
        const engine::GameState before = state_;
        engine::StartNewGame(state_);
        lifecycle_.NewGameStarted();
        Repaint();
        store::HistoryEntry entry;
        entry.kind = store::HistoryKind::NewGame;
        entry.creditsBefore = engine::WithCoinsReturned(before).Credits;
        Record(entry, state_);
        TellHistoryProblem();
    });
}

void Session::Repaint()
{
    if (recalled_ || player_.Playing()) {
        // In recall the recalled spin; during a script, the table as far as it has played.
        parts_.screen.DrawTable(shown_);
        return;
    }
    ShowGame();
}

void Session::ShowGame()
{
    engine::CapBonusPoints(state_);
    TableShown table;
    table.stops = game_.Stops();
    table.credits = state_.Credits;
    table.coins = state_.BetCoins;
    table.meter = state_.BonusPts;
    table.takesPlay = lifecycle_.AcceptsPlay();
    parts_.screen.DrawTable(table);
    const bool changed = table != shown_;
    shown_ = table;
    if (changed) parts_.announcer.TableChanged();
}

void Session::Show(const TableShown& before)
{
    if (before == shown_) return;
    parts_.screen.DrawChanges(before, shown_);
    parts_.announcer.TableChanged();
}

void Session::SetTakesPlay()
{
    const bool takes = lifecycle_.AcceptsPlay();
    if (shown_.takesPlay == takes) return;
    shown_.takesPlay = takes;
    parts_.announcer.TableChanged();
}

void Session::ShownChanged()
{
    parts_.announcer.TableChanged();
}

void Session::NudgeSettled(int reel, engine::SlideDirection direction)
{
    // Told with the spin's outcome: a sentence of its own now would be cut
    // short by the outcome a moment later.
    TellAtEnd(NudgeAnnouncement(reel, direction));
}

void Session::TellAtEnd(const std::string& sentence)
{
    if (!toldAtEnd_.empty()) toldAtEnd_ += ' ';
    toldAtEnd_ += sentence;
}

void Session::TellRefused()
{
    // A key that comes while the reels turn or a win counts is told once a
    // command; while the bonus window waits, the window has the keys.
    if (!lifecycle_.CommandRunning() || player_.WaitingForPick() || refusalTold_) return;
    refusalTold_ = true;
    Announce(RefusedAnnouncement());
}

void Session::Announce(const std::string& text)
{
    parts_.announcer.Announce(text);
}

void Session::AnnounceCounted()
{
    // One utterance: the nudges (or the bet), the outcome with the credits,
    // then the meter.
    if (spinToAnnounce_) TellAtEnd(SpinAnnouncement(*spinToAnnounce_, shown_.credits));
    if (bonusToAnnounce_) TellAtEnd(BonusAnnouncement(bonusToAnnounce_->first, bonusToAnnounce_->second, shown_.credits));
    if (meterMoved_) TellAtEnd(MeterAnnouncement(shown_.meter));
    meterMoved_ = false;
    spinToAnnounce_.reset();
    bonusToAnnounce_.reset();
    if (!toldAtEnd_.empty()) Announce(std::exchange(toldAtEnd_, {}));
}

bool Session::BeginDialog()
{
    // Not inside a spin, nor inside another dialog; a close or a signal that
    // comes while it is open waits for it to end.
    if (!lifecycle_.BeginDialog()) return false;
    creditsBeforeDialog_ = engine::WithCoinsReturned(state_).Credits;
    SetTakesPlay();
    return true;
}

Then Session::EndDialog(bool gameReplaced)
{
    const bool closeNow = lifecycle_.EndDialog();
    SetTakesPlay();
    if (gameReplaced) {
        // The opened game is the current game from now on.
        SaveAfterChange();
        Guarded(parts_.dialogs, [this] { Repaint(); });
        store::HistoryEntry entry;
        entry.kind = store::HistoryKind::OpenGame;
        entry.creditsBefore = creditsBeforeDialog_;
        Record(entry, state_);
        TellHistoryProblem();
    }
    return closeNow ? Then::Close : Then::Stay;
}

void Session::ButtonAttentionTick()
{
    Guarded(parts_.dialogs, [this] {
        const bool coinsOrWinShown =
            state_.BetCoins > 0 || parts_.controls.TimerRunning(engine::AttentionTimer::WinFlash);
        const ButtonLights lit = lights_.NextButtons(coinsOrWinShown, random_);
        const TableShown before = shown_;
        shown_.Lit(engine::Button::BetOne) = lit.betOne;
        shown_.Lit(engine::Button::Spin) = lit.spin;
        shown_.Lit(engine::Button::BetFive) = lit.betFive;
        Show(before);
    });
}

void Session::WinFlashTick()
{
    Guarded(parts_.dialogs, [this] {
        const AttentionLights::WinFlash flash = lights_.NextWinFlash();
        const TableShown before = shown_;
        shown_.Lit(engine::Lamp::TitlePlate) = flash.plateLit;
        shown_.Lit(engine::Lamp::LogoPanel) = flash.panelLit;
        Show(before);
    });
}

void Session::BetSignTick()
{
    Guarded(parts_.dialogs, [this] {
        const TableShown before = shown_;
        shown_.Lit(engine::Lamp::BetSign) = lights_.NextBetSign();
        Show(before);
    });
}

void Session::PendingTrackTick()
{
    // Starting a track takes tens of milliseconds (the synthesiser loads its
    // soundfont). Inside a spin that would stall the reels or the count-up, so
    // a pending track waits for the spin to end (or starts with the next one),
    // except while the bonus window waits for the player.
    if (lifecycle_.CommandRunning() && !player_.WaitingForPick()) return;
    Guarded(parts_.dialogs, [this] {
        std::string error;
        if (!parts_.sounds.StartPendingTrack(error)) parts_.dialogs.ShowError(error);
    });
}

CloseStep Session::CloseRequested()
{
    // A close in recall closes the game as it was.
    if (lifecycle_.Recalling()) EndRecall();
    if (lifecycle_.CommandRunning()) {
        // The bonus window settles its box first, so its prize is paid; the
        // script then ends at once and silently, and the close saves once.
        const CloseStep step = lifecycle_.CloseRequested();
        player_.SkipToEnd([this] {
            if (parts_.dialogs.BonusWindowOpen()) parts_.dialogs.FinishBonusWindowNow();
        });
        if (game_.BonusPickPending()) game_.LeaveBonusOwed();
        parts_.controls.SetGameCommandsEnabled(true);
        return step;
    }
    return lifecycle_.CloseRequested();
}

void Session::SignalArrived()
{
    lifecycle_.SignalArrived();
}

bool Session::SaveOnClose()
{
    // A failure is told once; the next close, which ends the program, says
    // nothing more.
    std::string reason;
    try {
        SaveCurrentGame();
        return true;
    } catch (const std::exception& error) {
        reason = error.what();
    } catch (...) {
        reason = "Unknown error";
    }
    if (!closeSaveFailureTold_) {
        closeSaveFailureTold_ = true;
        parts_.dialogs.ShowError(reason);
    }
    return false;
}

void Session::AfterBorrow(const engine::GameState& before)
{
    Repaint();
    if (state_.Borrowed != before.Borrowed) {
        store::HistoryEntry entry;
        const bool borrowed = state_.Borrowed > before.Borrowed;
        entry.kind = borrowed ? store::HistoryKind::Borrow : store::HistoryKind::PayBack;
        entry.amount = borrowed ? state_.Borrowed - before.Borrowed : before.Borrowed - state_.Borrowed;
        entry.creditsBefore = engine::WithCoinsReturned(before).Credits;
        Record(entry, state_);
        TellHistoryProblem();
        Announce(BorrowAnnouncement(before.Borrowed, state_.Borrowed, state_.Credits));
    }
    SaveCurrentGame();
}

void Session::SaveCurrentGame()
{
    SaveGame(state_);
}

void Session::SaveGame(const engine::GameState& game)
{
    // Coins already on the table came out of Credits; the saved game gets
    // them back, as they were never played.
    parts_.files.SaveCurrentGame(engine::WithCoinsReturned(game));
}

void Session::SaveAfterChange()
{
    try {
        SaveCurrentGame();
    } catch (const std::exception& error) {
        if (saveFailureTold_) return;
        saveFailureTold_ = true;
        parts_.dialogs.ShowError("Your games cannot be saved: " + WithFullStop(error.what()));
    }
}

bool Session::StartPendingTrack()
{
    std::string error;
    if (parts_.sounds.StartPendingTrack(error)) return true;
    commandError_ = error;
    return false;
}

int32_t Session::MotionHeight() const
{
    return parts_.screen.MotionHeight();
}

}  // namespace play
