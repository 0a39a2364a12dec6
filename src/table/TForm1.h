// The main window TForm1: the table's widget, the menu and the five timers,
// with handlers that pass the player's input to the play of the game.
#pragma once

#include <QMainWindow>
#include <QSize>
#include <QTimer>

#include "desktop/Platform.h"
#include "drawing/TableSurface.h"
#include "engine/Outcomes.h"
#include "pictures/PictureSet.h"
#include "play/Session.h"
#include "table/MainMenu.h"
#include "table/SideWindows.h"
#include "table/TableSounds.h"
#include "table/TableView.h"
#include "table/Theme.h"

class QCloseEvent;

namespace table {

// The main window. It owns the play of the game, the table's pictures and
// surface, the sounds, the menu and the timers, and wires them together.
// Start-up runs in the constructor. When it fails (the required picture is
// missing) StartupSucceeded() is false: the program ends without showing the
// window, and nothing is saved.
class TForm1 : public QMainWindow, private play::Controls, private TableViewClient {
    Q_OBJECT
public:
    // The spins' outcomes come from the generator unless another source is
    // given (the end-to-end build and the tests force the stops).
    TForm1(desktop::Platform& platform, desktop::MessageBoxes& boxes,
           engine::OutcomeSource& outcomes = engine::DefaultOutcomes(), QWidget* parent = nullptr);

    bool StartupSucceeded() const { return startupSucceeded_; }
    // Below 100 logical pixels per inch the window starts maximised.
    bool ShowsMaximised() const { return showMaximised_; }
    // Shows the window as start-up left it.
    void ShowTable();

    // The play of the game the window shows, and what it shows it with.
    play::Session& Session() { return session_; }
    const play::Session& Session() const { return session_; }
    const Theme& Settings() const { return theme_; }
    const drawing::TableSurface& Surface() const { return surface_; }
    TableView* View() const { return view_; }
    const TableSounds& Sounds() const { return sounds_; }
    SideWindows& Windows() { return windows_; }

    // The designer's controls.
    MainMenuActions MainMenu1{};
    QTimer Timer1;  // start-up tick, once
    QTimer Timer2;  // button attention
    QTimer Timer3;  // win flash
    QTimer Timer4;  // starts a pending music track
    QTimer Timer5;  // bet-sign blink

public slots:
    // Input, with positions in client pixels.
    void FormMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    // True for the table's keys (Enter, Space, B, M), also while held off.
    bool FormKeyDown(int key, Qt::KeyboardModifiers shift);

    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();
    void Timer4Timer();
    void Timer5Timer();

    void NewGame1Click();
    void OpenGame1Click();
    void SaveGame1Click();
    void Exit1Click();
    void Sound1Click();
    void Music1Click();
    void Borrow1Click();
    void Stats1Click();
    void Payoffs1Click();
    void Version1Click();
    void ManualItemClick();
    void GamesPageItemClick();
    void CompayInformation1Click();
    void VisitourSponsors1Click();

    // SIGTERM, SIGHUP or SIGINT: close as the close box does, without the reminder.
    void OnTerminationRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void FormCreate();
    // Closing: the update reminder, then the save nothing may skip; false
    // when the game could not be saved (the window stays open once).
    bool FormClose(bool withReminder);
    void FitOuterSize();
    void Play(play::Command command);
    void RunSlotDialog(dialogs::SlotDialogMode mode);
    void After(play::Then then);
    // Errors that escape a handler end the handler, not the program.
    template <typename Handler>
    bool Guarded(Handler&& handler)
    {
        return play::Guarded(windows_, std::forward<Handler>(handler));
    }

    // play::Controls
    void SetTimerRunning(engine::AttentionTimer timer, bool running) override;
    bool TimerRunning(engine::AttentionTimer timer) const override;
    void SetGameCommandsEnabled(bool enabled) override;

    // TableViewClient
    void TableMousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position) override;
    bool TableKeyPressed(int key, Qt::KeyboardModifiers modifiers) override;
    void TableResized(QSize size) override;
    void TableFirstPainted() override;

    desktop::Platform& platform_;
    desktop::MessageBoxes& boxes_;
    Theme theme_;
    pictures::PictureSet pictures_;
    drawing::TableSurface surface_;
    TableSounds sounds_;
    SideWindows windows_;
    play::SavedGamesFile files_;
    play::Session session_;
    TableView* view_ = nullptr;
    QSize outerSize_;
    bool startupSucceeded_ = false;
    bool showMaximised_ = false;
};

}  // namespace table
