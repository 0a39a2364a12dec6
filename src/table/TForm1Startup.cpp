// Start-up: FormCreate, the asset step, the start-up tick, the window's size
// and the surface that follows the client area.
#include "table/TForm1.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QPalette>
#include <QShortcut>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "dialogs/HelpViewer.h"
#include "engine/Reels.h"
#include "pictures/AssetFiles.h"
#include "pictures/TableLayout.h"
#include "store/GameStore.h"
#include "store/SettingsFile.h"
#include "table/UpdateReminder.h"

namespace table {

namespace {

// The first `count` characters, never half of a surrogate pair.
QString FirstCharacters(const QString& text, int count)
{
    if (text.size() <= count) return text;
    int end = count;
    if (text.at(end - 1).isHighSurrogate()) --end;
    return text.left(end);
}

}  // namespace

QString WithFullStop(const QString& text)
{
    return text.endsWith(QLatin1Char('.')) ? text : text + QLatin1Char('.');
}

TForm1::TForm1(Platform& platform, MessageBoxes& boxes, engine::OutcomeSource& outcomes, QWidget* parent)
    : QMainWindow(parent),
      platform_(platform),
      boxes_(boxes),
      lifecycle_(State),
      game_(State, random_, *this, outcomes),
      pictures_(pictures::PictureSet::BuiltIn())
{
    // The designer's part: the black client area, the menu, the timers.
    view_ = new TableView(*this, surface_, this);
    QPalette palette = view_->palette();
    palette.setColor(QPalette::Window, Qt::black);
    view_->setPalette(palette);
    setCentralWidget(view_);
    setFocusProxy(view_);
    view_->setFocus();

    MainMenu1 = BuildMainMenu(menuBar(), QStringLiteral("Plumfizz Slots"));
    // The bar never keeps the keyboard: Space and Enter belong to the table.
    menuBar()->setFocusPolicy(Qt::NoFocus);
    connect(MainMenu1.NewGame1, &QAction::triggered, this, &TForm1::NewGame1Click);
    connect(MainMenu1.OpenGame1, &QAction::triggered, this, &TForm1::OpenGame1Click);
    connect(MainMenu1.SaveGame1, &QAction::triggered, this, &TForm1::SaveGame1Click);
    connect(MainMenu1.Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
    connect(MainMenu1.Sound1, &QAction::triggered, this, &TForm1::Sound1Click);
    connect(MainMenu1.Music1, &QAction::triggered, this, &TForm1::Music1Click);
    connect(MainMenu1.Borrow1, &QAction::triggered, this, &TForm1::Borrow1Click);
    connect(MainMenu1.Stats1, &QAction::triggered, this, &TForm1::Stats1Click);
    connect(MainMenu1.Payoffs1, &QAction::triggered, this, &TForm1::Payoffs1Click);
    connect(MainMenu1.Version1, &QAction::triggered, this, &TForm1::Version1Click);
    connect(MainMenu1.ManualItem, &QAction::triggered, this, &TForm1::ManualItemClick);
    connect(MainMenu1.GamesPageItem, &QAction::triggered, this, &TForm1::GamesPageItemClick);
    connect(MainMenu1.CompayInformation1, &QAction::triggered, this, &TForm1::CompayInformation1Click);
    connect(MainMenu1.VisitourSponsors1, &QAction::triggered, this, &TForm1::VisitourSponsors1Click);
    // F1 on the table shows the table's topic; the manual item shows the contents.
    auto* tableHelp = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(tableHelp, &QShortcut::activated, this,
            [this] { Guarded([this] { ShowHelpTopic(dialogs::MainWindowTopic); }); });

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

    if (const char* logName = std::getenv("PLUMFIZZ_FRAME_LOG"); logName && *logName) {
        frameLog_ = std::fopen(logName, "a");
        if (frameLog_) std::setvbuf(frameLog_, nullptr, _IOLBF, 0);
    }

    Guarded([this] { FormCreate(); });

    if (startupSucceeded_) {
        // Running from creation: the start-up tick, the attention, the music
        // and the sign; the win flash waits for a win.
        Timer1.start();
        Timer2.start();
        Timer4.start();
        Timer5.start();
    }
}

TForm1::~TForm1()
{
    if (frameLog_) std::fclose(frameLog_);
}

void TForm1::FormCreate()
{
    random_.SeedFromTimeOfDay();

    // The theme lives beside the program.
    const QString programPath = platform_.ProgramPath();
    assetDir_ = QFileInfo(programPath).absolutePath();
    if (!assetDir_.endsWith(QLatin1Char('/'))) assetDir_ += QLatin1Char('/');
    programBaseName_ = QString::fromStdString(store::ProgramBaseName(programPath.toStdString()));

    // Bets and spins are held (by the lifecycle) until the start-up tick.
    LastAttractPick = 0;

    // The default theme, then what Testing.ini beside the program changes.
    gameTitle_ = QStringLiteral("Plumfizz Slots");
    webPageName_ = QStringLiteral("plumfizz");
    versionText_ = QStringLiteral(PLUMFIZZ_VERSION);
    soundRoot_ = QStringLiteral("Plum");
    ReadTestingIni();

    // Exactly the title: no application name appended by the platform.
    setWindowTitle(gameTitle_);
    MainMenu1.ManualItem->setText(ManualCaption(gameTitle_));

    // The manual is HTML, shown by the program's own help window.
    helpFile_ = assetDir_ + programBaseName_ + QStringLiteral(".html");

    // The window's size comes from the screen; the table's layout from the
    // client area the window then gets.
    screenWidth_ = platform_.ScreenWidth();
    screenHeight_ = platform_.ScreenHeight();
    logicalDpi_ = platform_.LogicalDpi();

    // Replacement pictures, then the required symbol sheet.
    pictures_.LoadReplacements(assetDir_);
    if (!AssetStep()) {
        lifecycle_.StartupFailed();
        boxes_.Plain(
            this, QString::fromLatin1(ApplicationTitle),
            QStringLiteral("There are BMP files missing which may cause this program to not function properly!"));
        return;
    }
    startupSucceeded_ = true;

    game_.Stops() = engine::StartStops;

    // A failed preload is shown, and start-up goes on: cutting it short
    // here would leave the saved game unread, and the next close would write
    // a fresh game over it.
    Guarded([this] { sound_.PreloadEffects(assetDir_.toStdString(), soundRoot_.toStdString()); });

    // Outer size; the frame's share comes off once the frame is known.
    outerSize_ = QSize(screenWidth_ - 10, screenHeight_ - 10);
    resize(outerSize_);

    State.BetCoins = 0;
    State.LastBet = 0;

    // Sound and music start on at every run; the switches are not saved.
    music_.SetEnabled(true);
    sound_.SetEnabled(true);
    MainMenu1.Sound1->setChecked(true);
    MainMenu1.Music1->setChecked(true);

    music_.FillTrackFiles(assetDir_.toStdString(), soundRoot_.toStdString());

    // The game that was running when the program last closed.
    CheckSavedGamesFile();
    store::GameStore(programBaseName_.toStdString()).LoadGameSlot(State, store::CurrentGameSlot);
    gameResumed_ = true;

    // Low-resolution screens get the whole screen.
    showMaximised_ = logicalDpi_ > 0 && logicalDpi_ < 100;
    if (!showMaximised_) setFixedSize(outerSize_);
}

void TForm1::ReadTestingIni()
{
    const QString path = pictures::FindAssetFile(assetDir_, {QStringLiteral("Testing.ini")});
    if (path.isEmpty()) return;
    const store::SettingsFile file(path.toStdString());
    const std::string section = "Settings";
    soundRoot_ = QString::fromStdString(file.ReadString(section, "SoundRoot", soundRoot_.toStdString()));
    gameTitle_ =
        FirstCharacters(QString::fromStdString(file.ReadString(section, "AboutName", gameTitle_.toStdString())), 30);
    webPageName_ = QString::fromStdString(file.ReadString(section, "WebPageName", webPageName_.toStdString()));
}

bool TForm1::AssetStep()
{
    const int depth = platform_.ColourDepth();
    pictures::PictureSet::SheetProblem problem;
    const bool found = pictures_.LoadSymbolSheet(assetDir_, soundRoot_, &problem);
    if (depth < 16) {
        boxes_.Information(this, QStringLiteral("This program is optimized for at least 16-bit color.  "
                                                "The graphics may be distorted with your current display settings."));
    }
    if (!found) {
        // Where it was looked for, so that a player or theme maker can put it
        // there; a file that is there but unusable is told apart from a missing one.
        const QString folder = QDir::toNativeSeparators(assetDir_);
        const QFileInfo sheet(problem.path);
        const QString text =
            problem.path.isEmpty()
                ? QStringLiteral("Missing a file (") + soundRoot_ + QStringLiteral(".bmp).  Program will close.") +
                      QStringLiteral("\n\nSearched folder: ") + folder
                : QStringLiteral("The file %1 in the folder %2 cannot be read: %3.  Program will close.")
                      .arg(sheet.fileName(), QDir::toNativeSeparators(sheet.absolutePath()), problem.reason);
        std::fprintf(stderr, "plumfizz: %s\n",
                     qPrintable(QString(text).replace(QStringLiteral("\n\n"), QStringLiteral(" "))));
        boxes_.Plain(this, QString::fromLatin1(ApplicationTitle), text);
        return false;
    }
    // The working pictures and the reel geometry, for the client area the
    // window is about to get (below the menu bar); a different one remakes
    // them when it arrives.
    const QSize client(std::max(1, screenWidth_ - 10),
                       std::max(1, screenHeight_ - 10 - menuBar()->sizeHint().height()));
    PlaceTable(client);
    return true;
}

void TForm1::PlaceTable(QSize clientArea)
{
    const pictures::TablePlace place = pictures::PlaceTable(clientArea);
    const bool newLayout = !painter_ || place.scaling.LayoutWidth() != scaling_.LayoutWidth();
    scaling_ = place.scaling;
    if (newLayout) MakePainter();
    if (place.origin != origin_) {
        origin_ = place.origin;
        view_->SetTableOrigin(origin_);
    }
}

void TForm1::MakePainter()
{
    // The old painter and surface go first, so that the largest screens never
    // hold two tables' worth of pictures at once.
    painter_.reset();
    surface_ = QImage();
    surface_ = QImage(scaling_.TableSize(), QImage::Format_RGB32);
    surface_.fill(Qt::black);
    TableMetrics metrics;
    metrics.layoutWidth = scaling_.LayoutWidth();
    metrics.logicalDpi = logicalDpi_;
    painter_ = std::make_unique<TablePainter>(surface_, pictures_, metrics);
}

void TForm1::Timer1Timer()
{
    Guarded([this] {
        Timer1.stop();
        music_.StartupStep();
        PlaySoundEffect(engine::Effect::Fanfare);
        // A spin started after an early New Game may be running: it releases
        // the table itself when it ends, and its game is already a new one.
        if (lifecycle_.CommandRunning()) return;
        lifecycle_.StartupTick();
        // Without a resumed game (start-up was cut short) a fresh one starts.
        if (!gameResumed_) {
            engine::StartNewGame(State);
            FormPaint();
        }
    });
    // Before the first bet can come: a Reset in a spin would empty the meter.
    if (lifecycle_.AcceptsPlay()) PlayOwedBonusGame();
}

void TForm1::CheckSavedGamesFile()
{
    const store::GameStore games(programBaseName_.toStdString());
    const store::SettingsFile& file = games.File();
    file.RemoveStaleTemporaries();
    store::SettingsFile(UpdateReminderFileName).RemoveStaleTemporaries();
    if (const auto reason = file.Unreadable()) {
        // Told here, once: the saves that follow fail the same way and say nothing more.
        saveFailureTold_ = true;
        boxes_.Error(this, QString::fromLatin1(ApplicationTitle),
                     QStringLiteral("Your saved games in %1 cannot be read: %2. A new game starts; the file is left "
                                    "as it is.")
                         .arg(QString::fromStdString(file.Path().string()), QString::fromStdString(*reason)));
    }
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

void TForm1::FormPaint()
{
    if (!painter_) return;
    engine::CapBonusPoints(State);
    MarkDirty(painter_->FormPaint(game_.Stops(), State.Credits, State.BetCoins, State.BonusPts));
}

void TForm1::TableResized(QSize size)
{
    if (!startupSucceeded_ || size.isEmpty()) return;
    PlaceTable(size);
    FormPaint();
}

void TForm1::TableFirstPainted()
{
    LogFrame("first-paint", 0);
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
