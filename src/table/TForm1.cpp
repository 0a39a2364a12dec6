// The main window's start-up: its controls, the theme, the table's pictures
// and surface, the window's size, and the play resumed where it was left.
#include "table/TForm1.h"

#include <QEvent>
#include <QMenuBar>
#include <QShortcut>

#include "desktop/UpdateReminder.h"
#include "store/SettingsFile.h"
#include "store/SoundLevels.h"
#include "table/TablePictures.h"

namespace table {

TForm1::TForm1(desktop::Platform& platform, dialogs::MessageBoxes& boxes, engine::OutcomeSource& outcomes,
               QWidget* parent)
    : QMainWindow(parent),
      platform_(platform),
      boxes_(boxes),
      theme_(ReadTheme(platform)),
      size_(theme_),
      pictures_(pictures::PictureSet::BuiltIn()),
      surface_(pictures_),
      controls_(Timer2, Timer3, Timer5, MainMenu1),
      tableDialogs_(*this, boxes, {theme_.assetDir, QSize(theme_.screenWidth, theme_.screenHeight), theme_.logicalDpi}),
      windows_(*this, platform, boxes, tableDialogs_, theme_, pictures_),
      files_(theme_.programBaseName.toStdString()),
      speech_([this]() -> const play::TableReading& { return session_.Reading(); },
              [this](engine::Button button) { Play(play::CommandOf(button)); },
              [this](engine::Button button) { return surface_.ButtonArea(button); }),
      session_(play::SessionParts{surface_, platform, controls_, tableDialogs_, sounds_, files_, speech_}, outcomes)
{
    // The designer's part: the black client area, the menu, the timers.
    InstallTableAccessibility();
    view_ = new TableView(*this, surface_.Image(), this);
    surface_.SetDisplay(view_);
    speech_.Attach(view_);
    setCentralWidget(view_);
    setFocusProxy(view_);
    view_->setFocus();

    MainMenu1 = BuildGameMenus(menuBar(), QStringLiteral("Plumfizz Slots"));
    // The bar never keeps the keyboard: Space and Enter belong to the table.
    menuBar()->setFocusPolicy(Qt::NoFocus);
    ConnectMainMenu(MainMenu1, this);
    // F1 on the table shows the table's topic; the manual item shows the contents.
    auto* tableHelp = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(tableHelp, &QShortcut::activated, this, [this] { windows_.Help(dialogs::MainWindowTopic); });

    Timer1.setInterval(250);
    Timer2.setInterval(200);
    Timer3.setInterval(300);
    Timer4.setInterval(1000);
    Timer5.setInterval(400);
    connect(&Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(&Timer2, &QTimer::timeout, this, &TForm1::Timer2Timer);
    connect(&Timer3, &QTimer::timeout, this, &TForm1::Timer3Timer);
    connect(&Timer4, &QTimer::timeout, this, &TForm1::Timer4Timer);
    connect(&Timer5, &QTimer::timeout, this, &TForm1::Timer5Timer);

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
    MainMenu1.Sound1->setChecked(true);
    MainMenu1.Music1->setChecked(true);

    // The game that was running when the program last closed; temporary
    // files of killed writers are removed first.
    store::SettingsFile(desktop::UpdateReminderFileName).RemoveStaleTemporaries();
    session_.Resume();

    if (!size_.Maximised()) setFixedSize(size_.Outer());
}

void TForm1::ShowTable()
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

void TForm1::TableResized(QSize size)
{
    if (!startupSucceeded_ || size.isEmpty()) return;
    surface_.Place(size, view_->devicePixelRatioF());
    session_.Repaint();
}

bool TForm1::event(QEvent* event)
{
    const bool result = QMainWindow::event(event);
    if (startupSucceeded_) size_.Fit(*this, event->type());
    return result;
}

}  // namespace table
