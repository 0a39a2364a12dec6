// The main window's handlers: clicks and keys on the table, the menu
// commands, the timers' ticks and closing, each passed to the play or to the
// side windows.
#include <QCloseEvent>

#include <optional>

#include "dialogs/VolumeWindow.h"
#include "store/SoundLevels.h"
#include "table/MainWindow.h"

namespace table {

void MainWindow::FormMouseDown(Qt::MouseButton /*button*/, Qt::KeyboardModifiers /*shift*/, int x, int y)
{
    if (session_.Recalling()) {
        if (surface_.RecallButtonAt(QPoint(x, y))) session_.EndRecall();
        return;
    }
    if (const auto button = surface_.ButtonAt(QPoint(x, y))) Play(play::CommandOf(*button));
    if (surface_.BetSignAt(QPoint(x, y))) Play(play::Command::BetOne);
}

bool MainWindow::FormKeyDown(int key, Qt::KeyboardModifiers /*shift*/)
{
    // In recall: back to play, the other games, the replay; no bet or spin.
    if (session_.Recalling()) {
        switch (key) {
        case Qt::Key_Escape: session_.EndRecall(); return true;
        case Qt::Key_Left: session_.StepRecall(play::RecallStep::Previous); return true;
        case Qt::Key_Right: session_.StepRecall(play::RecallStep::Next); return true;
        case Qt::Key_R: session_.ReplayRecalled(); return true;
        default: break;
        }
    }
    switch (key) {
    // Keypad Enter (Qt::Key_Enter) is a screen reader's "where am I": it never spins.
    case Qt::Key_Return:
    case Qt::Key_Space: Play(play::Command::Spin); return true;
    case Qt::Key_B: Play(play::Command::BetOne); return true;
    case Qt::Key_M: Play(play::Command::BetFive); return true;
    default: return false;
    }
}

void MainWindow::Play(play::Command command)
{
    // The play refuses what its phase does not take, and says so while the
    // reels turn.
    session_.Play(command);
}

void MainWindow::HistoryItemClick()
{
    const bool canRecall = session_.Lifecycle().AcceptsPlay() || session_.Recalling();
    std::optional<store::StoredEntry> spin;
    OverTheTable([&] { spin = windows_.History(canRecall); });
    if (spin) session_.Recall(*spin);
}

void MainWindow::StartupTick()
{
    StartupTimer.stop();
    session_.StartupTick();
}

void MainWindow::RunSlotDialog(dialogs::SlotDialogMode mode)
{
    if (!session_.BeginDialog()) return;
    bool opened = false;
    Guarded([&] { opened = windows_.Slots(mode, session_.State()); });
    After(session_.EndDialog(opened));
}

void MainWindow::Music1Click()
{
    Guarded([this] {
        Menu.Music1->setChecked(sounds_.Tracks().Toggle());
        if (!sounds_.Tracks().LastError().empty()) tableDialogs_.ShowError(sounds_.Tracks().LastError());
    });
}

void MainWindow::VolumeItemClick()
{
    // Heard while the sliders move; kept in the saved-games file on OK.
    const store::SoundLevels before = sounds_.Levels();
    const auto hear = [this](const store::SoundLevels& levels) { sounds_.SetLevels(levels); };
    std::optional<store::SoundLevels> chosen;
    OverTheTable([&] { chosen = dialogs::RunVolumeWindow(this, before, hear); });
    if (!chosen || *chosen == before) return;
    Guarded([&] {
        store::SettingsFile file((theme_.programBaseName + QStringLiteral(".ini")).toStdString());
        store::WriteSoundLevels(file, *chosen);
    });
}

void MainWindow::Borrow1Click()
{
    // Borrowing changes Credits: never while a spin is being paid.
    if (!session_.GameCommandsAllowed()) return;
    Guarded([this] {
        const engine::GameState before = session_.State();
        windows_.Borrow(session_.State(), surface_.Scale().LayoutWidth());
        session_.AfterBorrow(before);
    });
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    switch (session_.CloseRequested()) {
    case play::CloseStep::Accept: event->accept(); return;
    case play::CloseStep::Ignore: event->ignore(); return;
    case play::CloseStep::RunClose: break;
    }
    bool saved = false;
    Guarded([&] { saved = FormClose(session_.CloseWithReminder()); });
    // A failed save has been shown; the game stays open once rather than lose
    // what the file does not hold, and a second close goes through: a full
    // disk must not keep the player from quitting.
    event->setAccepted(session_.CloseFinished(saved));
}

bool MainWindow::FormClose(bool withReminder)
{
    // The update reminder's failure is told after the save, and closing goes on.
    const std::optional<QString> reminderError = withReminder ? windows_.UpdateReminder() : std::nullopt;
    if (!session_.SaveOnClose()) return false;
    if (reminderError) tableDialogs_.ShowError(*reminderError);
    return true;
}

void MainWindow::OnTerminationRequested()
{
    session_.SignalArrived();
    windows_.DismissBoxes();
    close();
}

}  // namespace table
