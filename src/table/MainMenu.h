// The main window's menu bar: its items, their captions and shortcuts.
#pragma once

#include <QAction>
#include <QObject>
#include <QString>

#include <utility>

class QMenu;
class QMenuBar;

namespace table {

// The items of the main window's menu bar, each object named after its item.
// The window connects each to its handler (<item name>Click).
struct MainMenuActions {
    QAction* NewGame1;
    QAction* OpenGame1;
    QAction* SaveGame1;
    QAction* Exit1;
    QAction* Sound1;
    QAction* Music1;
    QAction* Borrow1;
    QAction* Stats1;
    QAction* Payoffs1;
    QAction* Version1;
    QAction* ManualItem;
    QAction* GamesPageItem;
    QAction* CompayInformation1;
    QAction* VisitourSponsors1;
    QMenu* File1;
    QMenu* Options1;
    QMenu* Help1;
    QAction* HistoryItem = nullptr;     // only in BuildGameMenus
    QAction* VolumeItem = nullptr;      // only in BuildGameMenus
    QAction* FullScreenItem = nullptr;  // only in BuildGameMenus
};

// "&" + title + " Manual", with any "&" in the title shown as itself.
QString ManualCaption(const QString& gameTitle);

// Fills an empty menu bar with the main menu: File, Options, the Borrow, Stats and
// Payoffs commands on the bar itself, and Help. Sound and Music start checked.
// The desktop shortcuts Ctrl+N, Ctrl+O, Ctrl+S and Ctrl+Q are set on their
// items and shown in the menus. F1 is not the manual item's: on the table it
// shows the table's own help topic.
MainMenuActions BuildMainMenu(QMenuBar* bar, const QString& gameTitle);

// The main window's menu bar: the main menu, with the History command after
// Payoffs (Ctrl+H), which shows the game history, and Full Screen (F11,
// checkable) at the end of the Options menu.
MainMenuActions BuildGameMenus(QMenuBar* bar, const QString& gameTitle);

// Connects each item to the window's handler named after it.
template <typename Window>
void ConnectMainMenu(const MainMenuActions& menu, Window* window)
{
    const std::pair<QAction*, void (Window::*)()> items[] = {
        {menu.NewGame1, &Window::NewGame1Click},
        {menu.OpenGame1, &Window::OpenGame1Click},
        {menu.SaveGame1, &Window::SaveGame1Click},
        {menu.Exit1, &Window::Exit1Click},
        {menu.Sound1, &Window::Sound1Click},
        {menu.Music1, &Window::Music1Click},
        {menu.Borrow1, &Window::Borrow1Click},
        {menu.Stats1, &Window::Stats1Click},
        {menu.Payoffs1, &Window::Payoffs1Click},
        {menu.Version1, &Window::Version1Click},
        {menu.ManualItem, &Window::ManualItemClick},
        {menu.GamesPageItem, &Window::GamesPageItemClick},
        {menu.CompayInformation1, &Window::CompayInformation1Click},
        {menu.VisitourSponsors1, &Window::VisitourSponsors1Click},
        {menu.HistoryItem, &Window::HistoryItemClick},
        {menu.VolumeItem, &Window::VolumeItemClick},
        {menu.FullScreenItem, &Window::FullScreenItemClick},
    };
    for (const auto& [action, handler] : items) {
        if (action) QObject::connect(action, &QAction::triggered, window, handler);
    }
}

}  // namespace table
