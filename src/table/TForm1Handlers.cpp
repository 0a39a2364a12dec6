// The main window's handlers: clicks and keys on the table, the menu
// commands, the timers' ticks and closing, each passed to the play or to the
// side windows.
#include <QCloseEvent>

#include <optional>

#include "dialogs/HelpViewer.h"
#include "dialogs/TLoadSave.h"
#include "table/TForm1.h"

namespace table {

namespace {

// The timer behind each of the rules' names for them.
template <typename Form>
auto& AttentionTimerOf(Form& form, engine::AttentionTimer timer)
{
    switch (timer) {
    case engine::AttentionTimer::ButtonAttention: return form.Timer2;
    case engine::AttentionTimer::WinFlash: return form.Timer3;
    case engine::AttentionTimer::BetSignBlink: break;
    }
    return form.Timer5;
}

}  // namespace

void TForm1::TableMousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position)
{
    FormMouseDown(button, modifiers, position.x(), position.y());
}

bool TForm1::TableKeyPressed(int key, Qt::KeyboardModifiers modifiers)
{
    return FormKeyDown(key, modifiers);
}

void TForm1::FormMouseDown(Qt::MouseButton /*button*/, Qt::KeyboardModifiers /*shift*/, int x, int y)
{
    if (const auto button = surface_.ButtonAt(QPoint(x, y))) {
        Play(*button == engine::Button::BetOne    ? play::Command::BetOne
             : *button == engine::Button::BetFive ? play::Command::BetFive
                                                  : play::Command::Spin);
    }
    if (surface_.BetSignAt(QPoint(x, y))) Play(play::Command::BetOne);
}

bool TForm1::FormKeyDown(int key, Qt::KeyboardModifiers /*shift*/)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: Play(play::Command::Spin); return true;
    case Qt::Key_B: Play(play::Command::BetOne); return true;
    case Qt::Key_M: Play(play::Command::BetFive); return true;
    default: return false;
    }
}

void TForm1::Play(play::Command command)
{
    // Taken only when the table is idle; the play says so.
    if (session_.Lifecycle().AcceptsPlay()) After(session_.Play(command));
}

void TForm1::After(play::Then then)
{
    // A close that came during a command or dialog was held until it ended.
    if (then == play::Then::Close) close();
}

void TForm1::Timer1Timer()
{
    Timer1.stop();
    After(session_.StartupTick());
}

void TForm1::Timer2Timer()
{
    session_.ButtonAttentionTick();
}
void TForm1::Timer3Timer()
{
    session_.WinFlashTick();
}
void TForm1::Timer4Timer()
{
    session_.PendingTrackTick();
}
void TForm1::Timer5Timer()
{
    session_.BetSignTick();
}

void TForm1::NewGame1Click()
{
    session_.NewGame();
}
void TForm1::OpenGame1Click()
{
    RunSlotDialog(dialogs::SlotDialogMode::Open);
}
void TForm1::SaveGame1Click()
{
    RunSlotDialog(dialogs::SlotDialogMode::Save);
}
void TForm1::Exit1Click()
{
    close();
}

void TForm1::RunSlotDialog(dialogs::SlotDialogMode mode)
{
    if (!session_.BeginDialog()) return;
    bool opened = false;
    Guarded([&] { opened = windows_.Slots(mode, session_.State()); });
    After(session_.EndDialog(opened));
}

void TForm1::Sound1Click()
{
    Guarded([this] { MainMenu1.Sound1->setChecked(sounds_.Effects().Toggle()); });
}

void TForm1::Music1Click()
{
    Guarded([this] {
        MainMenu1.Music1->setChecked(sounds_.Tracks().Toggle());
        if (!sounds_.Tracks().LastError().empty()) windows_.ShowError(sounds_.Tracks().LastError());
    });
}

void TForm1::Borrow1Click()
{
    // Borrowing changes Credits: never while a spin is being paid.
    if (!session_.GameCommandsAllowed()) return;
    Guarded([this] {
        windows_.Borrow(session_.State(), surface_.Scale().LayoutWidth());
        // The table shows the new balance, and the file holds it.
        session_.Repaint();
        session_.SaveCurrentGame();
    });
}

// Stats, Payoffs, Version, the manual and the sponsors change nothing of the
// game, so they may open during a spin.
void TForm1::Stats1Click()
{
    Guarded([this] { windows_.Statistics(session_.State()); });
}
void TForm1::Payoffs1Click()
{
    Guarded([this] { windows_.PayoffChart(); });
}
void TForm1::Version1Click()
{
    Guarded([this] { windows_.Version(); });
}
void TForm1::ManualItemClick()
{
    Guarded([this] { windows_.Help(dialogs::ContentsTopic); });
}
void TForm1::GamesPageItemClick()
{
    Guarded([this] { windows_.GamesPage(); });
}
void TForm1::CompayInformation1Click()
{
    Guarded([this] { windows_.Help(dialogs::CompanyTopic); });
}
void TForm1::VisitourSponsors1Click()
{
    Guarded([this] { windows_.Sponsors(session_.Random()); });
}

void TForm1::SetTimerRunning(engine::AttentionTimer timer, bool running)
{
    QTimer& t = AttentionTimerOf(*this, timer);
    if (!running) {
        t.stop();
    } else if (!t.isActive()) {
        t.start();
    }
}

bool TForm1::TimerRunning(engine::AttentionTimer timer) const
{
    return AttentionTimerOf(*this, timer).isActive();
}

void TForm1::SetGameCommandsEnabled(bool enabled)
{
    // The commands that change the game would corrupt a spin's payout.
    for (QAction* action : {MainMenu1.NewGame1, MainMenu1.OpenGame1, MainMenu1.SaveGame1, MainMenu1.Borrow1}) {
        if (action) action->setEnabled(enabled);
    }
}

void TForm1::closeEvent(QCloseEvent* event)
{
    switch (session_.CloseRequested()) {
    case play::CloseStep::Accept: event->accept(); return;
    case play::CloseStep::Ignore:
    case play::CloseStep::FinishSpin: event->ignore(); return;
    case play::CloseStep::RunClose: break;
    }
    bool saved = false;
    Guarded([&] { saved = FormClose(session_.CloseWithReminder()); });
    // A failed save has been shown; the game stays open once rather than lose
    // what the file does not hold, and a second close goes through: a full
    // disk must not keep the player from quitting.
    event->setAccepted(session_.CloseFinished(saved));
}

bool TForm1::FormClose(bool withReminder)
{
    // The update reminder's failure is told after the save, and closing goes on.
    const std::optional<QString> reminderError = withReminder ? windows_.UpdateReminder() : std::nullopt;
    if (!session_.SaveOnClose()) return false;
    if (reminderError) windows_.ShowError(*reminderError);
    return true;
}

void TForm1::OnTerminationRequested()
{
    session_.SignalArrived();
    windows_.DismissBoxes();
    close();
}

}  // namespace table
