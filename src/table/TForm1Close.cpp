// Closing: the close box, Exit and the termination signals; the update
// reminder, and the save of the current game that nothing may skip.
#include "table/TForm1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDialog>

#include <optional>

#include "dialogs/TTrickForm.h"
#include "store/GameStore.h"
#include "store/SettingsFile.h"
#include "table/UpdateReminder.h"
#include "web/WebLinks.h"

namespace table {

void TForm1::closeEvent(QCloseEvent* event)
{
    switch (lifecycle_.CloseRequested()) {
    case CloseStep::Accept: event->accept(); return;
    case CloseStep::Ignore: event->ignore(); return;
    case CloseStep::FinishSpin:
        // The spin completes at once and silently; the window closes, and
        // saves, when the command that started the spin has its result.
        game_.FinishSpinNow();
        // A bonus window still open settles its box now, so its prize is paid.
        if (auto* bonus = dialogs::TTrickForm::OpenForm()) bonus->FinishNow();
        event->ignore();
        return;
    case CloseStep::RunClose: break;
    }

    bool saved = false;
    Guarded([&] { saved = FormClose(lifecycle_.CloseWithReminder()); });
    // A failed save has been shown; the game stays open once rather than lose
    // what the file does not hold, and a second close goes through: a full
    // disk must not keep the player from quitting.
    if (lifecycle_.CloseFinished(saved)) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool TForm1::FormClose(bool withReminder)
{
    // The update reminder; its failure is told, and closing goes on.
    std::optional<QString> reminderError;
    if (withReminder) {
        store::SettingsFile file(UpdateReminderFileName);
        const UpdateReminderResult reminder =
            RunUpdateReminder(file, gameTitle_, versionText_, QDateTime::currentDateTime(),
                              [this](const QString& question) { return boxes_.Confirm(this, question); });
        if (reminder.openGamePage) web::OpenWebPageQuietly(web::GamePage(webPageName_), this);
        if (reminder.error) reminderError = *reminder.error;
    }
    // Throws when the file cannot be written; the caller tells it and keeps
    // the window. The reminder's file lies beside it: one box says it, and
    // the next close, which ends the program, says nothing more.
    try {
        SaveCurrentGame();
    } catch (const std::exception&) {
        if (closeSaveFailureTold_) return false;
        closeSaveFailureTold_ = true;
        throw;
    }
    if (reminderError) ShowHandlerError(*reminderError);
    return true;
}

void TForm1::SaveCurrentGame()
{
    SaveGame(State);
}

void TForm1::SaveGame(const engine::GameState& game)
{
    // Coins already on the table came out of Credits; the saved game gets
    // them back, as they were never played.
    store::GameStore(programBaseName_.toStdString())
        .SaveGameSlot(engine::WithCoinsReturned(game), store::CurrentGameSlot, "CurrentGame");
}

void TForm1::SecureOutcome(const engine::GameState& settled)
{
    // A failure here is told by the save at the end of the spin, which
    // fails the same way; the reels are not held up by a box.
    try {
        SaveGame(settled);
    } catch (const std::exception&) {}
}

void TForm1::SaveAfterChange()
{
    try {
        SaveCurrentGame();
    } catch (const std::exception& error) {
        if (saveFailureTold_) return;
        saveFailureTold_ = true;
        ShowHandlerError(QStringLiteral("Your games cannot be saved: ") +
                         WithFullStop(QString::fromUtf8(error.what())));
    }
}

void TForm1::OnTerminationRequested()
{
    lifecycle_.SignalArrived();
    // The bonus window first: dismissing it would forfeit the box.
    if (auto* bonus = dialogs::TTrickForm::OpenForm()) bonus->FinishNow();
    // A logout answers no question: boxes that are open are dismissed so the
    // command behind them can end and the close can follow.
    for (int guard = 0; guard < 16; ++guard) {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) break;
        dialog->reject();
    }
    close();
}

}  // namespace table
