// The play's commands: start-up, the player's bets and spins, the dialogs
// that may replace the game, the attention ticks, saving and closing.
#include "play/Session.h"

#include "engine/BonusMeter.h"

namespace play {

std::string WithFullStop(const std::string& text)
{
    return !text.empty() && text.back() == '.' ? text : text + '.';
}

Session::Session(SessionParts parts, engine::OutcomeSource& outcomes)
    : parts_(parts),
      game_(state_, random_, *this, outcomes),
      lifecycle_(game_),
      log_(parts.clock),
      motion_(parts.screen, parts.clock, log_)
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
    if (const auto notice = parts_.files.OpenHistory()) HistoryFailed(*notice);
    historyOn_ = true;
    TellHistoryProblem();
}

void Session::StartupFailed()
{
    lifecycle_.StartupFailed();
}

Then Session::StartupTick()
{
    Guarded(parts_.dialogs, [this] {
        parts_.sounds.StartMusic();
        PlaySoundEffect(engine::Effect::Fanfare);
        // A spin started after an early New Game may be running: it releases
        // the table itself when it ends, and its game is already a new one.
        if (lifecycle_.CommandRunning()) return;
        lifecycle_.StartupTick();
        RefreshReading();
        // Without a resumed game (start-up was cut short) a fresh one starts.
        if (!resumed_) {
            engine::StartNewGame(state_);
            Repaint();
        }
    });
    // A bonus game owed by a spin that did not end (its meter was saved full)
    // is played before the first bet can come: a Reset would empty the meter.
    if (lifecycle_.AcceptsPlay() && state_.BonusPts >= engine::BonusMeterFull) {
        return RunCommand(&engine::Game::PlayOwedBonusGame);
    }
    return Then::Stay;
}

Then Session::Play(Command command)
{
    switch (command) {
    case Command::BetOne: return RunCommand(&engine::Game::BetOne);
    case Command::BetFive: return RunCommand(&engine::Game::BetFive);
    case Command::Spin: break;
    }
    return RunCommand(&engine::Game::Spin);
}

Then Session::RunCommand(void (engine::Game::*operation)())
{
    // Never nested in a running command: the commands held for it would be
    // released here.
    if (!lifecycle_.BeginCommand()) return Then::Stay;
    const int32_t spinsBefore = state_.Spins;
    const int32_t meterBefore = state_.BonusPts;
    const int32_t coinsBefore = state_.BetCoins;
    RefreshReading();
    parts_.controls.SetGameCommandsEnabled(false);
    const bool completed = Guarded(parts_.dialogs, [&] { (game_.*operation)(); });
    parts_.controls.SetGameCommandsEnabled(true);
    if (completed && state_.Spins == spinsBefore && state_.BetCoins != coinsBefore) {
        Announce(BetAnnouncement(state_.BetCoins, state_.Credits));
    }
    if (completed) AnnounceCounted();
    spinToAnnounce_.reset();
    bonusToAnnounce_.reset();
    meterMoved_ = false;
    const bool closeNow = lifecycle_.EndCommand();
    RefreshReading();
    if (!completed) {
        // A spin cut short by an error must not leave the table still: the
        // rules released input, so the buttons call for attention again and
        // the table is shown as it now stands.
        SetTimerEnabled(engine::AttentionTimer::ButtonAttention, true);
        Repaint();
    }
    // A played spin (or an owed bonus game) is saved again when it ends.
    if (state_.Spins != spinsBefore || state_.BonusPts != meterBefore) SaveAfterChange();
    TellHistoryProblem();
    // A close that came during the spin was held until its win was counted.
    return closeNow ? Then::Close : Then::Stay;
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
    if (recalled_) {
        ShowRecalled();
        return;
    }
    engine::CapBonusPoints(state_);
    parts_.screen.DrawTable(game_.Stops(), state_.Credits, state_.BetCoins, state_.BonusPts);
    SetReading({game_.Stops(), state_.Credits, state_.BetCoins, -1, state_.BonusPts});
}

void Session::SetReading(TableReading reading)
{
    reading.takesPlay = lifecycle_.AcceptsPlay();
    if (reading == reading_) return;
    reading_ = reading;
    parts_.announcer.TableChanged();
}

void Session::Announce(const std::string& text)
{
    // A spin finishing at once for a close has no listener left.
    if (!Finishing()) parts_.announcer.Announce(text);
}

void Session::AnnounceCounted()
{
    if (meterMoved_) Announce(MeterAnnouncement(reading_.meter));
    meterMoved_ = false;
    if (spinToAnnounce_) Announce(SpinAnnouncement(*spinToAnnounce_, state_.Credits));
    if (bonusToAnnounce_)
        Announce(BonusAnnouncement(bonusToAnnounce_->first, bonusToAnnounce_->second, state_.Credits));
    spinToAnnounce_.reset();
    bonusToAnnounce_.reset();
}

bool Session::BeginDialog()
{
    // Not inside a spin, nor inside another dialog; a close or a signal that
    // comes while it is open waits for it to end.
    if (lifecycle_.CommandRunning() || !lifecycle_.BeginDialog()) return false;
    creditsBeforeDialog_ = engine::WithCoinsReturned(state_).Credits;
    RefreshReading();
    return true;
}

Then Session::EndDialog(bool gameReplaced)
{
    const bool closeNow = lifecycle_.EndDialog();
    RefreshReading();
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
        DrawButton(engine::Button::BetOne, lit.betOne);
        DrawButton(engine::Button::Spin, lit.spin);
        DrawButton(engine::Button::BetFive, lit.betFive);
    });
}

void Session::WinFlashTick()
{
    Guarded(parts_.dialogs, [this] {
        const AttentionLights::WinFlash flash = lights_.NextWinFlash();
        DrawTitlePlate(flash.plateLit);
        DrawLogoPanel(flash.panelLit);
    });
}

void Session::BetSignTick()
{
    Guarded(parts_.dialogs, [this] { DrawBetSign(lights_.NextBetSign()); });
}

void Session::PendingTrackTick()
{
    // Starting a track takes tens of milliseconds (the synthesiser loads its
    // soundfont). Inside a spin that would stall the reels or the count-up, so
    // a pending track waits for the spin to end (or starts with the next one),
    // except while the bonus window waits for the player.
    if (lifecycle_.CommandRunning() && !parts_.dialogs.BonusWindowOpen()) return;
    Guarded(parts_.dialogs, [this] {
        std::string error;
        if (!parts_.sounds.StartPendingTrack(error)) parts_.dialogs.ShowError(error);
    });
}

CloseStep Session::CloseRequested()
{
    // A close in recall closes the game as it was.
    if (lifecycle_.Recalling()) EndRecall();
    const CloseStep step = lifecycle_.CloseRequested();
    if (step == CloseStep::FinishSpin) {
        // The spin completes at once and silently; the window closes, and
        // saves, when the command that started the spin has its result. A
        // bonus window still open settles its box now, so its prize is paid.
        game_.FinishSpinNow();
        parts_.dialogs.FinishBonusWindowNow();
    }
    return step;
}

void Session::SignalArrived()
{
    lifecycle_.SignalArrived();
    // The bonus window first: dismissing it would forfeit the box.
    parts_.dialogs.FinishBonusWindowNow();
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

}  // namespace play
