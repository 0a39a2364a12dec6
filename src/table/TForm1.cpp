// The main window's start-up: its controls, the theme, the table's pictures
// and surface, the window's size, and the play resumed where it was left.
#include "table/TForm1.h"

#include <QEvent>
#include <QMenuBar>
#include <QPalette>
#include <QShortcut>

#include <algorithm>

#include "desktop/UpdateReminder.h"
#include "dialogs/HelpViewer.h"
#include "store/SettingsFile.h"
#include "table/TablePictures.h"

namespace table {

TForm1::TForm1(desktop::Platform& platform, desktop::MessageBoxes& boxes, engine::OutcomeSource& outcomes,
               QWidget* parent)
    : QMainWindow(parent),
      platform_(platform),
      boxes_(boxes),
      theme_(ReadTheme(platform)),
      pictures_(pictures::PictureSet::BuiltIn()),
      surface_(pictures_),
      windows_(*this, platform, boxes, theme_, pictures_),
      files_(theme_.programBaseName.toStdString()),
      session_(play::SessionParts{surface_, platform, *this, windows_, sounds_, files_}, outcomes)
{
    // The designer's part: the black client area, the menu, the timers.
    view_ = new TableView(*this, surface_.Image(), this);
    surface_.SetDisplay(view_);
    QPalette palette = view_->palette();
    palette.setColor(QPalette::Window, Qt::black);
    view_->setPalette(palette);
    setCentralWidget(view_);
    setFocusProxy(view_);
    view_->setFocus();

    MainMenu1 = BuildMainMenu(menuBar(), QStringLiteral("Plumfizz Slots"));
    // The bar never keeps the keyboard: Space and Enter belong to the table.
    menuBar()->setFocusPolicy(Qt::NoFocus);
    const std::pair<QAction*, void (TForm1::*)()> items[] = {
        {MainMenu1.NewGame1, &TForm1::NewGame1Click},
        {MainMenu1.OpenGame1, &TForm1::OpenGame1Click},
        {MainMenu1.SaveGame1, &TForm1::SaveGame1Click},
        {MainMenu1.Exit1, &TForm1::Exit1Click},
        {MainMenu1.Sound1, &TForm1::Sound1Click},
        {MainMenu1.Music1, &TForm1::Music1Click},
        {MainMenu1.Borrow1, &TForm1::Borrow1Click},
        {MainMenu1.Stats1, &TForm1::Stats1Click},
        {MainMenu1.Payoffs1, &TForm1::Payoffs1Click},
        {MainMenu1.Version1, &TForm1::Version1Click},
        {MainMenu1.ManualItem, &TForm1::ManualItemClick},
        {MainMenu1.GamesPageItem, &TForm1::GamesPageItemClick},
        {MainMenu1.CompayInformation1, &TForm1::CompayInformation1Click},
        {MainMenu1.VisitourSponsors1, &TForm1::VisitourSponsors1Click},
    };
    for (const auto& [action, handler] : items) connect(action, &QAction::triggered, this, handler);
    // F1 on the table shows the table's topic; the manual item shows the contents.
    auto* tableHelp = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(tableHelp, &QShortcut::activated, this,
            [this] { Guarded([this] { windows_.Help(dialogs::MainWindowTopic); }); });

    const std::pair<QTimer*, void (TForm1::*)()> timers[] = {{&Timer1, &TForm1::Timer1Timer},
                                                             {&Timer2, &TForm1::Timer2Timer},
                                                             {&Timer3, &TForm1::Timer3Timer},
                                                             {&Timer4, &TForm1::Timer4Timer},
                                                             {&Timer5, &TForm1::Timer5Timer}};
    const int intervals[] = {250, 200, 300, 1000, 400};
    for (int i = 0; i < 5; ++i) {
        timers[i].first->setInterval(intervals[i]);
        connect(timers[i].first, &QTimer::timeout, this, timers[i].second);
    }

    Guarded([this] { FormCreate(); });

    if (startupSucceeded_) {
        // Running from creation: the start-up tick, the attention, the music
        // and the sign; the win flash waits for a win.
        for (QTimer* timer : {&Timer1, &Timer2, &Timer4, &Timer5}) timer->start();
    }
}

void TForm1::FormCreate()
{
    // Exactly the title: no application name appended by the platform.
    setWindowTitle(theme_.gameTitle);
    MainMenu1.ManualItem->setText(ManualCaption(theme_.gameTitle));

    if (!LoadTablePictures(pictures_, theme_, platform_.ColourDepth(), boxes_, this)) {
        session_.StartupFailed();
        boxes_.Plain(
            this, QString::fromLatin1(ApplicationTitle),
            QStringLiteral("There are BMP files missing which may cause this program to not function properly!"));
        return;
    }
    startupSucceeded_ = true;
    // The working pictures and the reel geometry, for the client area the
    // window is about to get (below the menu bar); a different one remakes
    // them when it arrives.
    surface_.SetLogicalDpi(theme_.logicalDpi);
    surface_.Place(QSize(std::max(1, theme_.screenWidth - 10),
                         std::max(1, theme_.screenHeight - 10 - menuBar()->sizeHint().height())));

    // A failed preload is shown, and start-up goes on: cutting it short
    // here would leave the saved game unread, and the next close would write
    // a fresh game over it.
    Guarded(
        [this] { sounds_.Effects().PreloadEffects(theme_.assetDir.toStdString(), theme_.soundRoot.toStdString()); });

    // Outer size; the frame's share comes off once the frame is known.
    outerSize_ = QSize(theme_.screenWidth - 10, theme_.screenHeight - 10);
    resize(outerSize_);

    // Sound and music start on at every run; the switches are not saved.
    sounds_.Tracks().SetEnabled(true);
    sounds_.Effects().SetEnabled(true);
    MainMenu1.Sound1->setChecked(true);
    MainMenu1.Music1->setChecked(true);
    sounds_.Tracks().FillTrackFiles(theme_.assetDir.toStdString(), theme_.soundRoot.toStdString());

    // The game that was running when the program last closed; temporary
    // files of killed writers are removed first.
    store::SettingsFile(desktop::UpdateReminderFileName).RemoveStaleTemporaries();
    session_.Resume();

    // Low-resolution screens get the whole screen.
    showMaximised_ = theme_.logicalDpi > 0 && theme_.logicalDpi < 100;
    if (!showMaximised_) setFixedSize(outerSize_);
}

void TForm1::ShowTable()
{
    if (showMaximised_) {
        showMaximized();
    } else {
        show();
    }
    // The table takes the keys from the start, with or without a window manager.
    activateWindow();
    raise();
    view_->setFocus();
}

void TForm1::TableResized(QSize size)
{
    if (!startupSucceeded_ || size.isEmpty()) return;
    surface_.Place(size);
    session_.Repaint();
}

void TForm1::TableFirstPainted()
{
    session_.Log().Write("first-paint", 0);
}

bool TForm1::event(QEvent* event)
{
    const bool result = QMainWindow::event(event);
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::WindowStateChange: FitOuterSize(); break;
    default: break;
    }
    return result;
}

void TForm1::FitOuterSize()
{
    // The outer size includes the frame, which the window manager decides and
    // Qt learns only after the window is shown.
    if (!startupSucceeded_ || showMaximised_ || !outerSize_.isValid() || isMaximized() || isFullScreen()) return;
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize client = outerSize_ - frame;
    if (client.isValid() && client != size()) setFixedSize(client);
}

}  // namespace table
