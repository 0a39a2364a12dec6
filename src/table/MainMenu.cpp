// Building the main window's menu bar: File, Options, the commands on the bar itself, and Help.
#include "MainMenu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace table {

namespace {

QAction* AddItem(QMenu* menu, const char* name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QAction* AddItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut)
{
    QAction* action = AddItem(menu, name, caption);
    action->setShortcut(shortcut);
    return action;
}

QAction* AddCheckItem(QMenu* menu, const char* name, const QString& caption)
{
    QAction* action = AddItem(menu, name, caption);
    action->setCheckable(true);
    action->setChecked(true);
    return action;
}

QMenu* AddMenu(QMenuBar* bar, const char* name, const QString& caption)
{
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* AddBarCommand(QMenuBar* bar, const char* name, const QString& caption)
{
    QAction* action = bar->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

}  // namespace

MainMenuActions BuildGameMenus(QMenuBar* bar, const QString& gameTitle)
{
    MainMenuActions menu = BuildMainMenu(bar, gameTitle);
    // "&History" would take Help's Alt+H.
    menu.HistoryItem = new QAction(QStringLiteral("H&istory"), bar);
    menu.HistoryItem->setObjectName(QStringLiteral("HistoryItem"));
    menu.HistoryItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    bar->insertAction(menu.Help1->menuAction(), menu.HistoryItem);
    menu.VolumeItem = AddItem(menu.Options1, "VolumeItem", QStringLiteral("&Volume..."));
    menu.FullScreenItem =
        AddItem(menu.Options1, "FullScreenItem", QStringLiteral("&Full Screen"), QKeySequence(Qt::Key_F11));
    menu.FullScreenItem->setCheckable(true);
    return menu;
}

QString ManualCaption(const QString& gameTitle)
{
    QString shown = gameTitle;
    shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    return QLatin1Char('&') + shown + QLatin1String(" Manual");
}

MainMenuActions BuildMainMenu(QMenuBar* bar, const QString& gameTitle)
{
    MainMenuActions m{};
    bar->setObjectName(QStringLiteral("MainMenu"));

    m.File1 = AddMenu(bar, "File1", QStringLiteral("&File"));
    m.NewGame1 = AddItem(m.File1, "NewGame1", QStringLiteral("&New Game"), QKeySequence(Qt::CTRL | Qt::Key_N));
    m.File1->addSeparator();
    m.OpenGame1 = AddItem(m.File1, "OpenGame1", QStringLiteral("&Open Game"), QKeySequence(Qt::CTRL | Qt::Key_O));
    m.SaveGame1 = AddItem(m.File1, "SaveGame1", QStringLiteral("&Save Game"), QKeySequence(Qt::CTRL | Qt::Key_S));
    m.File1->addSeparator();
    m.Exit1 = AddItem(m.File1, "Exit1", QStringLiteral("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_Q));

    m.Options1 = AddMenu(bar, "Options1", QStringLiteral("&Options"));
    m.Sound1 = AddCheckItem(m.Options1, "Sound1", QStringLiteral("Sound"));
    m.Music1 = AddCheckItem(m.Options1, "Music1", QStringLiteral("Music"));

    m.Borrow1 = AddBarCommand(bar, "Borrow1", QStringLiteral("&Borrow"));
    m.Stats1 = AddBarCommand(bar, "Stats1", QStringLiteral("&Stats"));
    m.Payoffs1 = AddBarCommand(bar, "Payoffs1", QStringLiteral("&Payoffs"));

    m.Help1 = AddMenu(bar, "Help1", QStringLiteral("&Help"));
    m.Version1 = AddItem(m.Help1, "Version1", QStringLiteral("Version"));
    m.Help1->addSeparator();
    m.ManualItem = AddItem(m.Help1, "ManualItem", ManualCaption(gameTitle));
    m.Help1->addSeparator();
    m.GamesPageItem = AddItem(m.Help1, "GamesPageItem", QStringLiteral("&Tallyho") + QStringLiteral(" Games Page"));
    m.Help1->addSeparator();
    m.CompayInformation1 = AddItem(m.Help1, "CompayInformation1", QStringLiteral("&Company Information"));
    m.Help1->addSeparator();
    m.VisitourSponsors1 = AddItem(m.Help1, "VisitourSponsors1", QStringLiteral("&Visit our Sponsors"));

    return m;
}

}  // namespace table
