// The main window: the table's widget, the menu and the five timers,
// with handlers that pass the player's input to the play of the game.
#pragma once

#include <QMainWindow>
#include <QTimer>

#include "desktop/Platform.h"
#include "dialogs/HelpViewer.h"
#include "dialogs/SlotDialog.h"
#include "dialogs/TableDialogs.h"
#include "drawing/TableSurface.h"
#include "pictures/PictureSet.h"
#include "play/Session.h"
#include "table/MainMenu.h"
#include "table/SideWindows.h"
#include "table/TableAccessibility.h"
#include "table/TableControls.h"
#include "table/TableSounds.h"
#include "table/TableView.h"
#include "table/Theme.h"
#include "table/WindowSize.h"

class QCloseEvent;

namespace table {

// The main window: it owns the play, the table's pictures and surface, the
// sounds, the menu and the timers, and wires them together. Start-up runs in
// the constructor; when it fails (the symbol sheet is missing) the program
// ends without showing the window, and nothing is saved.
class MainWindow : public QMainWindow, private TableViewClient {
    Q_OBJECT
public:
    // The spins' outcomes come from the generator unless another source is
    // given (the end-to-end build and the tests force the stops).
    MainWindow(desktop::Platform& platform, dialogs::MessageBoxes& boxes,
               engine::OutcomeSource& outcomes = engine::DefaultOutcomes(), QWidget* parent = nullptr);

    bool StartupSucceeded() const { return startupSucceeded_; }
    // Below 100 logical pixels per inch the window starts maximised.
    bool ShowsMaximised() const { return size_.Maximised(); }
    // Shows the window as start-up left it.
    void ShowTable();

    // The play of the game the window shows, and what it shows it with.
    play::Session& Session() { return session_; }
    const play::Session& Session() const { return session_; }
    const Theme& Settings() const { return theme_; }
    const drawing::TableSurface& Surface() const { return surface_; }
    TableView* View() const { return view_; }
    const TableSounds& Sounds() const { return sounds_; }
    dialogs::TableDialogs& Dialogs() { return tableDialogs_; }

    // The menu and the timers. Declared before the private members, so built
    // before controls_, which keeps references to the menu and three timers.
    MainMenuActions Menu{};
    QTimer StartupTimer;          // the start-up tick, once
    QTimer ButtonAttentionTimer;  // the buttons' attention lights
    QTimer WinFlashTimer;         // the win flash
    QTimer PendingTrackTimer;     // starts a pending music track
    QTimer BetSignTimer;          // the bet sign's blink

    // The handlers, connected by pointer to member.
    // Input, with positions in client pixels.
    void FormMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    // True for the table's keys (Enter, Space, B, M), also while held off.
    bool FormKeyDown(int key, Qt::KeyboardModifiers shift) override;

    void StartupTick();
    void ButtonAttentionTick() { session_.ButtonAttentionTick(); }
    void WinFlashTick() { session_.WinFlashTick(); }
    void PendingTrackTick() { session_.PendingTrackTick(); }
    void BetSignTick() { session_.BetSignTick(); }

    void NewGame1Click() { session_.NewGame(); }
    void OpenGame1Click() { RunSlotDialog(dialogs::SlotDialogMode::Open); }
    void SaveGame1Click() { RunSlotDialog(dialogs::SlotDialogMode::Save); }
    void Exit1Click() { close(); }
    void Sound1Click()
    {
        Guarded([this] { Menu.Sound1->setChecked(sounds_.Effects().Toggle()); });
    }
    void Music1Click();
    void Borrow1Click();
    // Stats, Payoffs, Version, the manual and the sponsors change nothing of
    // the game, so they may open during a spin; the reels wait for them.
    void Stats1Click()
    {
        OverTheTable([this] { windows_.Statistics(session_.State()); });
    }
    void Payoffs1Click()
    {
        OverTheTable([this] { windows_.PayoffChart(); });
    }
    void Version1Click()
    {
        OverTheTable([this] { windows_.Version(); });
    }
    void ManualItemClick() { windows_.Help(dialogs::ContentsTopic); }
    void GamesPageItemClick() { windows_.GamesPage(); }
    void CompayInformation1Click() { windows_.Help(dialogs::CompanyTopic); }
    void VisitourSponsors1Click()
    {
        OverTheTable([this] { windows_.Sponsors(session_.Random()); });
    }
    void HistoryItemClick();
    void VolumeItemClick();
    void FullScreenItemClick() { Menu.FullScreenItem->setChecked(size_.ToggleFullScreen(*this)); }

    // SIGTERM, SIGHUP or SIGINT: close as the close box does, without the reminder.
    void OnTerminationRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void FormCreate();
    // The update reminder, then the save nothing may skip; false when it failed.
    bool FormClose(bool withReminder);
    // A bet or spin, taken only when the table is idle.
    void Play(play::Command command);
    void RunSlotDialog(dialogs::SlotDialogMode mode);
    // A close that came during a dialog was held until it ended.
    void After(play::Then then)
    {
        if (then == play::Then::Close) close();
    }
    // A side window shown over the table: a running script waits for it.
    template <typename Show>
    void OverTheTable(Show&& show)
    {
        session_.HoldScript();
        Guarded(std::forward<Show>(show));
        session_.ReleaseScript();
    }
    // Errors that escape a handler end the handler, not the program.
    template <typename Handler>
    bool Guarded(Handler&& handler)
    {
        return play::Guarded(tableDialogs_, std::forward<Handler>(handler));
    }

    // TableViewClient
    void TableResized(QSize size) override;
    void TableFirstPainted() override { session_.Log().Write("first-paint", 0); }

    // Built in this order, each from members above it: the window's size
    // from the theme; the surface from the pictures; the controls from the
    // menu and timers; the dialogs, side windows and saved-games file from
    // the theme. The speech only keeps functions that read the play, called
    // once the play exists; the play comes last and is given all of them.
    // The table's widget is made in the constructor's body.
    desktop::Platform& platform_;
    dialogs::MessageBoxes& boxes_;
    Theme theme_;
    WindowSize size_;
    pictures::PictureSet pictures_;
    drawing::TableSurface surface_;
    TableSounds sounds_;
    TableControls controls_;
    dialogs::TableDialogs tableDialogs_;
    SideWindows windows_;
    play::SavedGamesFile files_;
    TableSpeech speech_;  // reads the play, which is made after it
    play::Session session_;
    TableView* view_ = nullptr;
    bool startupSucceeded_ = false;
};

}  // namespace table
