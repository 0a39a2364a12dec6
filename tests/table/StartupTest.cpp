// Start-up: the theme settings, the required picture, the screen checks, the
// window's size and the resumed game.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "store/GameHistory.h"

using namespace windowtest;

namespace {

const QString ColourWarning = QStringLiteral(
    "This program is optimized for at least 16-bit color.  The graphics may be distorted with your "
    "current display settings.");
const QString BmpFilesMissing =
    QStringLiteral("There are BMP files missing which may cause this program to not function properly!");

}  // namespace

TEST(WindowStartup, MissingSymbolSheetTellsThePlayerInOrderAndWritesNothing)
{
    Environment env(800, 600);
    env.platform.depth = 8;
    env.WriteSavedGame(QStringLiteral("[CurrentGame]\nCredits=4321\n"));
    const QString savedPath = env.ProfileFile(QStringLiteral("plumfizz.ini"));
    {
        table::MainWindow form(env.platform, env.boxes);
        EXPECT_FALSE(form.StartupSucceeded());
        EXPECT_FALSE(form.StartupTimer.isActive());
        EXPECT_FALSE(form.ButtonAttentionTimer.isActive());
        // Even a close (the window system's, say) must not write the saved game.
        form.close();
        QCoreApplication::processEvents();
    }

    ASSERT_EQ(env.boxes.shown.size(), 3u);
    EXPECT_EQ(env.boxes.shown[0].kind, QStringLiteral("information"));
    EXPECT_EQ(env.boxes.shown[0].text, ColourWarning);
    EXPECT_EQ(env.boxes.shown[1].kind, QStringLiteral("plain"));
    EXPECT_EQ(env.boxes.shown[1].caption, QStringLiteral("Plumfizz Slots"));
    // The player is told where the game looked.
    EXPECT_EQ(env.boxes.shown[1].text, QStringLiteral("Missing a file (Plum.bmp).  Program will close.\n\n"
                                                      "Searched folder: ") +
                                           QDir::toNativeSeparators(env.AssetDir()));
    EXPECT_EQ(env.boxes.shown[2].kind, QStringLiteral("plain"));
    EXPECT_EQ(env.boxes.shown[2].text, BmpFilesMissing);

    EXPECT_EQ(env.Saved("Credits"), "4321");
    EXPECT_EQ(env.Saved("GameName"), "");
    EXPECT_FALSE(QFile::exists(env.ProfileFile(QStringLiteral("thupdate.ini"))));
}

TEST(WindowStartup, DefaultThemeAndWindow)
{
    Environment env(800, 600);
    env.WriteSymbolSheet();
    auto form = env.Make();

    ASSERT_TRUE(form->StartupSucceeded());
    EXPECT_TRUE(env.boxes.shown.empty());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Plumfizz Slots"));
    EXPECT_EQ(form->Menu.ManualItem->text(), QStringLiteral("&Plumfizz Slots Manual"));
    EXPECT_EQ(form->Settings().soundRoot, QStringLiteral("Plum"));
    EXPECT_EQ(form->Settings().webPageName, QStringLiteral("plumfizz"));
    EXPECT_EQ(form->Settings().versionText, QStringLiteral("2.0"));
    EXPECT_EQ(form->Settings().assetDir, env.AssetDir());
    EXPECT_EQ(form->Settings().programBaseName, QStringLiteral("plumfizz"));
    EXPECT_EQ(form->Settings().helpFile, env.AssetDir() + QStringLiteral("plumfizz.html"));
    EXPECT_EQ(form->Sounds().Tracks().TrackFiles[4], (env.AssetDir() + QStringLiteral("Plum4.mid")).toStdString());

    // Switched on at start, with their check marks.
    EXPECT_TRUE(form->Sounds().Effects().Enabled());
    EXPECT_TRUE(form->Sounds().Tracks().Enabled());
    EXPECT_TRUE(form->Menu.Sound1->isChecked());
    EXPECT_TRUE(form->Menu.Music1->isChecked());

    // Outer size of the screen less 10, fixed (the offscreen frame has no width).
    EXPECT_FALSE(form->ShowsMaximised());
    EXPECT_EQ(form->minimumSize(), QSize(790, 590));
    EXPECT_EQ(form->maximumSize(), QSize(790, 590));

    // Input is held until the start-up tick; the tick never comes again.
    EXPECT_TRUE(form->Session().State().SpinInProgress);
    form->StartupTimer.start();
    form->StartupTick();
    EXPECT_FALSE(form->Session().State().SpinInProgress);
    EXPECT_FALSE(form->StartupTimer.isActive());
    EXPECT_EQ(form->Sounds().Tracks().TrackIndex, 19);  // no track file: 9, pending
}

TEST(WindowStartup, TimersRunFromCreationExceptTheWinFlash)
{
    Environment env;
    env.WriteSymbolSheet();
    table::MainWindow form(env.platform, env.boxes);
    EXPECT_EQ(form.StartupTimer.interval(), 250);
    EXPECT_EQ(form.ButtonAttentionTimer.interval(), 200);
    EXPECT_EQ(form.WinFlashTimer.interval(), 300);
    EXPECT_EQ(form.PendingTrackTimer.interval(), 1000);
    EXPECT_EQ(form.BetSignTimer.interval(), 400);
    EXPECT_TRUE(form.StartupTimer.isActive());
    EXPECT_TRUE(form.ButtonAttentionTimer.isActive());
    EXPECT_FALSE(form.WinFlashTimer.isActive());
    EXPECT_TRUE(form.PendingTrackTimer.isActive());
    EXPECT_TRUE(form.BetSignTimer.isActive());
    EXPECT_EQ(form.Session().Lights().LastPick(), 0);
}

TEST(WindowStartup, LowResolutionShowsMaximisedAndLowDepthWarnsOnce)
{
    Environment env(1024, 768);
    env.platform.dpi = 96;
    env.platform.depth = 8;
    env.WriteSymbolSheet();
    auto form = env.Make();
    ASSERT_TRUE(form->StartupSucceeded());
    EXPECT_TRUE(form->ShowsMaximised());
    EXPECT_NE(form->minimumSize(), form->maximumSize());
    ASSERT_EQ(env.boxes.shown.size(), 1u);
    EXPECT_EQ(env.boxes.shown[0].kind, QStringLiteral("information"));
    EXPECT_EQ(env.boxes.shown[0].text, ColourWarning);

    // 1024 × 768 at 120 dpi: the window of the screen less 10, not maximised.
    Environment sharp(1024, 768);
    sharp.platform.dpi = 120;
    sharp.WriteSymbolSheet();
    auto other = sharp.Make();
    EXPECT_FALSE(other->ShowsMaximised());
    EXPECT_EQ(other->maximumSize(), QSize(1014, 758));
}

TEST(WindowStartup, TestingIniOverridesTheTheme)
{
    Environment env;
    const QString longName = QStringLiteral("Forty Characters Of Game Title Go Here!!");
    ASSERT_EQ(longName.size(), 40);
    env.WriteTestingIni(
        QStringLiteral("[Settings]\nSoundRoot=Cherry\nAboutName=%1\nWebPageName=cherrypage\n").arg(longName));
    // Found whatever its letter case on this file system.
    env.WriteSymbolSheet(QStringLiteral("CHERRY.BMP"));
    auto form = env.Make();

    ASSERT_TRUE(form->StartupSucceeded());
    EXPECT_EQ(form->Settings().gameTitle, longName.left(30));
    EXPECT_EQ(form->windowTitle(), longName.left(30));
    EXPECT_EQ(form->Menu.ManualItem->text(), QStringLiteral("&") + longName.left(30) + QStringLiteral(" Manual"));
    EXPECT_EQ(form->Settings().soundRoot, QStringLiteral("Cherry"));
    EXPECT_EQ(form->Settings().webPageName, QStringLiteral("cherrypage"));
    EXPECT_EQ(form->Sounds().Tracks().TrackFiles[0], (env.AssetDir() + QStringLiteral("Cherry0.mid")).toStdString());
}

TEST(WindowStartup, TestingIniRootNamesTheRequiredPicture)
{
    Environment env;
    env.WriteTestingIni(QStringLiteral("[settings]\nsoundroot=Grape\n"));
    env.WriteSymbolSheet();  // Plum.bmp is not the one asked for any more
    auto form = env.Make();
    EXPECT_FALSE(form->StartupSucceeded());
    ASSERT_EQ(env.boxes.shown.size(), 2u);
    EXPECT_TRUE(env.boxes.shown[0].text.startsWith(QStringLiteral("Missing a file (Grape.bmp).  Program will close.")));
}

TEST(WindowStartup, ResumesTheCurrentGame)
{
    Environment env;
    env.WriteSymbolSheet();
    env.WriteSavedGame(
        QStringLiteral("[CurrentGame]\nGameName=CurrentGame\nCredits=1234\nBorrowed=2000\n"
                       "Spins=7\nTotalBets=21\nBonusWon=50\nBonusPts=15\n"));
    auto form = env.Make();
    form->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(form->Session().State().Credits, 1234);
    EXPECT_EQ(form->Session().State().Borrowed, 2000);
    EXPECT_EQ(form->Session().State().Spins, 7);
    EXPECT_EQ(form->Session().State().TotalBets, 21);
    EXPECT_EQ(form->Session().State().BonusWon, 50);
    EXPECT_EQ(form->Session().State().GameName, "CurrentGame");
    // A meter above its top shows full and is held at 12 from the first draw.
    EXPECT_EQ(form->Session().State().BonusPts, 12);

    // A full meter is a bonus game owed: the start-up tick plays it before
    // any bet, pays its prize once and saves the meter empty.
    form->StartupTick();
    PlayOut(env.platform, *form);
    EXPECT_EQ(form->Session().State().BonusPts, 0);
    EXPECT_EQ(form->Session().State().Credits - 1234, form->Session().State().BonusWon - 50);
    EXPECT_EQ(form->Session().State().Spins, 7);
    EXPECT_EQ(form->Session().State().Borrowed, 2000);
    EXPECT_EQ(env.Saved("BonusPts"), "0");
    EXPECT_EQ(env.Saved("Credits"), std::to_string(form->Session().State().Credits));
    EXPECT_TRUE(form->Session().Lifecycle().AcceptsPlay());
    const int32_t paid = form->Session().State().Credits;
    form->StartupTick();
    EXPECT_EQ(form->Session().State().Credits, paid);
}

TEST(WindowStartup, AMissingPreloadedEffectIsToldOnceAndTheGameStillResumes)
{
    Environment env;
    env.WriteSymbolSheet();
    env.WriteSavedGame(QStringLiteral("[CurrentGame]\nGameName=CurrentGame\nCredits=1234\n"));
    ASSERT_TRUE(QFile::remove(env.AssetDir() + QStringLiteral("Plum0.wav")));
    auto form = env.MakeReady();
    ASSERT_EQ(env.boxes.shown.size(), 1u);
    EXPECT_EQ(env.boxes.shown[0].text, QStringLiteral("File not found."));
    EXPECT_EQ(form->Session().State().Credits, 1234);
    EXPECT_TRUE(form->Sounds().Effects().Enabled());
}

TEST(WindowStartup, ProgramPathIsFollowedThroughSymbolicLinks)
{
    QTemporaryDir real;
    QTemporaryDir elsewhere;
    const QString program = real.path() + QStringLiteral("/plumfizz");
    QFile file(program);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString link = elsewhere.path() + QStringLiteral("/slots");
    ASSERT_TRUE(QFile::link(program, link));

    EXPECT_EQ(desktop::ResolveProgramPath(link), QFileInfo(program).canonicalFilePath());
    const QString missing = elsewhere.path() + QStringLiteral("/none");
    EXPECT_EQ(desktop::ResolveProgramPath(missing), missing);
}

TEST(WindowStartup, WideScreenCentresTheWholeTableInTheClientArea)
{
    Environment env(1920, 1080);
    env.WriteSymbolSheet();
    env.WriteMarkedPictures();
    auto form = env.MakeReady();

    // The layout comes from the client area below the menu bar: the widest
    // 4:3 table its height holds, centred, its foot inside the window.
    const QSize client = form->View()->size();
    ASSERT_EQ(form->frameGeometry().width(), 1910);
    EXPECT_LT(client.height(), 1070);
    EXPECT_EQ(form->Surface().Scale().LayoutWidth(), client.height() * 4 / 3);
    const QSize table = form->Surface().Scale().TableSize();
    EXPECT_EQ(form->Surface().Origin().x(), (client.width() - table.width()) / 2);
    EXPECT_LE(form->Surface().Origin().y() + table.height(), client.height());
    // The surface holds the table only; the view shows black beside it.
    EXPECT_EQ(form->Surface().Image().size(), table);
    EXPECT_EQ(Environment::PixelAt(*form, 616, 322), ButtonColour('S', 1));
    EXPECT_EQ(Environment::PixelAt(*form, 400, 20), TableColour);
    const QImage shown = form->View()->grab().toImage();
    EXPECT_EQ(shown.pixel(form->Surface().Origin().x() - 1, 100), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(form->Surface().Origin().x(), 100), TableColour);
    EXPECT_EQ(shown.pixel(form->Surface().Origin().x() + table.width() - 1, table.height() - 1), TableColour);
    EXPECT_EQ(shown.pixel(form->Surface().Origin().x() + table.width(), 100), qRgb(0, 0, 0));
}

TEST(WindowStartup, ACloseBeforeTheStartupTickKeepsTheResumedGame)
{
    Environment env;
    env.WriteSymbolSheet();
    env.WriteSavedGame(QStringLiteral("[CurrentGame]\nGameName=CurrentGame\nCredits=4321\nSpins=3\n"));
    auto form = env.Make();
    form->show();
    QCoreApplication::processEvents();
    ASSERT_TRUE(form->Session().State().SpinInProgress);  // no tick yet

    form->OnTerminationRequested();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(env.Saved("Credits"), "4321");
    EXPECT_EQ(env.Saved("Spins"), "3");
    EXPECT_EQ(env.Saved("GameName"), "CurrentGame");
    EXPECT_TRUE(env.boxes.shown.empty());
}

TEST(WindowStartup, AnUnreadableSymbolSheetIsToldApartFromAMissingOne)
{
    Environment env;
    {
        QFile sheet(env.AssetDir() + QStringLiteral("Plum.bmp"));
        ASSERT_TRUE(sheet.open(QIODevice::WriteOnly));
        sheet.write("this is no picture");
    }
    auto form = env.Make();
    EXPECT_FALSE(form->StartupSucceeded());
    ASSERT_EQ(env.boxes.shown.size(), 2u);
    EXPECT_EQ(env.boxes.shown[0].text,
              QStringLiteral("The file Plum.bmp in the folder %1 cannot be read: not a Windows bitmap.  "
                             "Program will close.")
                  .arg(QDir(env.AssetDir()).absolutePath()));
}

TEST(WindowStartup, AnUnreadableSavedGamesFileIsToldOnceAndLeftAsItIs)
{
    Environment env;
    env.WriteSymbolSheet();
    const QString saved = env.ProfileFile(QStringLiteral("plumfizz.ini"));
    ASSERT_TRUE(QDir().mkpath(saved));  // a directory where the file should be
    auto form = env.MakeReady();
    ASSERT_TRUE(form->StartupSucceeded());
    ASSERT_EQ(env.boxes.shown.size(), 1u);
    EXPECT_EQ(env.boxes.shown[0].kind, QStringLiteral("error"));
    EXPECT_EQ(env.boxes.shown[0].text,
              QStringLiteral("Your saved games in %1 cannot be read: not a regular file. A new game starts; the "
                             "file is left as it is.")
                  .arg(saved));
    EXPECT_EQ(form->Session().State().Credits, 1000);

    // The spins that follow cannot be saved either, and say nothing more.
    QTest::keyClick(form->View(), Qt::Key_B);
    PlayOut(env.platform, *form);
    QTest::keyClick(form->View(), Qt::Key_Space);
    PlayOut(env.platform, *form);
    EXPECT_EQ(form->Session().State().Spins, 1);
    EXPECT_EQ(env.boxes.shown.size(), 1u);
    EXPECT_TRUE(QFileInfo(saved).isDir());
}

TEST(WindowStartup, ADamagedHistoryIsToldOnceAndTheGamePlaysAndSavesAsBefore)
{
    Environment env;
    env.WriteSymbolSheet();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(env.HistoryFile()).path()));
    QFile damaged(env.HistoryFile());
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(4096, 'Z'));
    damaged.close();

    // Nothing is told before the table is on the screen; the start-up tick tells it.
    auto form = env.Make();
    ASSERT_TRUE(form->StartupSucceeded());
    form->show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(env.boxes.shown.empty());
    form->StartupTick();
    StopTimers(*form);
    ASSERT_EQ(env.boxes.shown.size(), 1u);
    EXPECT_EQ(env.boxes.shown[0].kind, QStringLiteral("error"));
    EXPECT_TRUE(env.boxes.shown[0].text.startsWith(QStringLiteral("The game history was damaged (")))
        << env.boxes.shown[0].text.toStdString();
    QTest::keyClick(form->View(), Qt::Key_B);
    PlayOut(env.platform, *form);
    QTest::keyClick(form->View(), Qt::Key_Space);
    PlayOut(env.platform, *form);
    EXPECT_EQ(env.Saved("Spins"), "1");
    EXPECT_EQ(env.boxes.shown.size(), 1u);
    // Moved aside whole, under a name that says so and that the box gives; a new history is kept.
    const QDir data = QFileInfo(env.HistoryFile()).dir();
    const QStringList aside = data.entryList({QStringLiteral("plumfizz-history.sqlite.damaged-*")}, QDir::Files);
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(QFileInfo(data.filePath(aside[0])).size(), 4096);
    EXPECT_TRUE(env.boxes.shown[0].text.contains(data.filePath(aside[0])));
    const auto history = store::GameHistory::OpenForReading(env.HistoryFile().toStdString());
    ASSERT_NE(history, nullptr);
    EXPECT_EQ(history->SpinCount(), 1);
}
