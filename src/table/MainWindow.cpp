// The main window's start-up: its controls, the theme, the table's pictures
// and surface, the window's size, and the play resumed where it was left.
#include "table/MainWindow.h"

#include <QEvent>
#include <QMenuBar>
#include <QShortcut>

#include "desktop/UpdateReminder.h"
#include "store/SettingsFile.h"
#include "store/SoundLevels.h"
#include "table/TablePictures.h"

namespace table {

MainWindow::MainWindow(desktop::Platform& platform, dialogs::MessageBoxes& boxes, engine::OutcomeSource& outcomes,
                       QWidget* parent)
    : QMainWindow(parent),
      platform_(platform),
      boxes_(boxes),
      theme_(ReadTheme(platform)),
      size_(theme_),
      pictures_(pictures::PictureSet::BuiltIn()),
      surface_(pictures_),
      controls_(ButtonAttentionTimer, WinFlashTimer, BetSignTimer, Menu),
      tableDialogs_(*this, boxes, {theme_.assetDir, QSize(theme_.screenWidth, theme_.screenHeight), theme_.logicalDpi}),
      windows_(*this, platform, boxes, tableDialogs_, theme_, pictures_),
      files_(theme_.programBaseName.toStdString()),
      speech_([this]() -> const play::TableShown& { return session_.Shown(); },
              [this](engine::Button button) { Play(play::CommandOf(button)); },
              [this](engine::Button button) { return surface_.ButtonArea(button); }),
      session_(play::SessionParts{surface_, platform, controls_, tableDialogs_, sounds_, files_, speech_}, outcomes)
{
    // The window's parts: the black client area, the menu, the timers.
    InstallTableAccessibility();
    view_ = new TableView(*this, surface_.Image(), this);
    surface_.SetDisplay(view_);
    speech_.Attach(view_);
    setCentralWidget(view_);
    setFocusProxy(view_);
    view_->setFocus();

    Menu = BuildGameMenus(menuBar(), QStringLiteral("Plumfizz Slots"));
    // The bar never keeps the keyboard: Space and Enter belong to the table.
    menuBar()->setFocusPolicy(Qt::NoFocus);
    ConnectMainMenu(Menu, this);
    // F1 on the table shows the table's topic; the manual item shows the contents.
    auto* tableHelp = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(tableHelp, &QShortcut::activated, this, [this] { windows_.Help(dialogs::MainWindowTopic); });

    StartupTimer.setInterval(250);
    ButtonAttentionTimer.setInterval(200);
    WinFlashTimer.setInterval(300);
    PendingTrackTimer.setInterval(1000);
    BetSignTimer.setInterval(400);
    connect(&StartupTimer, &QTimer::timeout, this, &MainWindow::StartupTick);
    connect(&ButtonAttentionTimer, &QTimer::timeout, this, &MainWindow::ButtonAttentionTick);
    connect(&WinFlashTimer, &QTimer::timeout, this, &MainWindow::WinFlashTick);
    connect(&PendingTrackTimer, &QTimer::timeout, this, &MainWindow::PendingTrackTick);
    connect(&BetSignTimer, &QTimer::timeout, this, &MainWindow::BetSignTick);

    Guarded([this] { FormCreate(); });

    if (startupSucceeded_) {
        // Running from creation: the start-up tick, the attention, the music
        // and the sign; the win flash waits for a win.
        for (QTimer* timer : {&StartupTimer, &ButtonAttentionTimer, &PendingTrackTimer, &BetSignTimer}) timer->start();
    }
}

void MainWindow::FormCreate()
{
    // Exactly the title: no application name appended by the platform.
    setWindowTitle(theme_.gameTitle);
    Menu.ManualItem->setText(ManualCaption(theme_.gameTitle));

    if (!LoadTablePictures(pictures_, theme_, platform_.ColourDepth(), boxes_, this)) {
        session_.StartupFailed();
        boxes_.Plain(
            this, QString::fromLatin1(dialogs::ApplicationTitle),
            QStringLiteral("There are BMP files missing which may cause this program to not function properly!"));
        return;
    }
    startupSucceeded_ = true;
    // The working pictures and the reel geometry, for the client area the
    // window is about to get (below the menu bar); a different one remakes
    // them when it arrives.
    surface_.SetLogicalDpi(theme_.logicalDpi);
    surface_.Place(size_.FirstClientArea(menuBar()->sizeHint().height()), view_->devicePixelRatioF());

    // A failed preload is shown, and start-up goes on: cutting it short
    // here would leave the saved game unread, and the next close would write
    // a fresh game over it.
    Guarded(
        [this] { sounds_.Effects().PreloadEffects(theme_.assetDir.toStdString(), theme_.soundRoot.toStdString()); });

    // Outer size; the frame's share comes off once the frame is known.
    resize(size_.Outer());

    sounds_.Start(theme_.assetDir.toStdString(), theme_.soundRoot.toStdString());
    // The player's levels, unlike the two switches, are kept between runs.
    sounds_.SetLevels(
        store::ReadSoundLevels(store::SettingsFile((theme_.programBaseName + QStringLiteral(".ini")).toStdString())));
    Menu.Sound1->setChecked(true);
    Menu.Music1->setChecked(true);

    // The game that was running when the program last closed; temporary
    // files of killed writers are removed first.
    store::SettingsFile(desktop::UpdateReminderFileName).RemoveStaleTemporaries();
    session_.Resume();

    if (!size_.Maximised()) setFixedSize(size_.Outer());
}

void MainWindow::ShowTable()
{
    if (size_.Maximised()) {
        showMaximized();
    } else {
        show();
    }
    // The table takes the keys from the start, with or without a window manager.
    activateWindow();
    raise();
    view_->setFocus();
}

void MainWindow::TableResized(QSize size)
{
    if (!startupSucceeded_ || size.isEmpty()) return;
    surface_.Place(size, view_->devicePixelRatioF());
    session_.Repaint();
}

bool MainWindow::event(QEvent* event)
{
    const bool result = QMainWindow::event(event);
    if (startupSucceeded_) size_.Fit(*this, event->type());
    return result;
}

}  // namespace table
