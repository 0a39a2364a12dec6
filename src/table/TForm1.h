// The main window TForm1: the table, its menu and timers, and the rules' host.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <QRegion>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <cstdio>
#include <exception>
#include <memory>

#include "engine/Game.h"
#include "engine/GameState.h"
#include "engine/Host.h"
#include "engine/Outcomes.h"
#include "engine/Random.h"
#include "media/Music.h"
#include "media/Sound.h"
#include "pictures/PictureSet.h"
#include "pictures/Scaling.h"
#include "table/MainMenu.h"
#include "table/Platform.h"
#include "table/TablePainter.h"
#include "table/TableView.h"
#include "table/WindowLifecycle.h"

class QCloseEvent;

namespace dialogs {
enum class SlotDialogMode;
}

namespace table {

// The application's title: the task bar's text and the caption of error boxes.
inline constexpr char ApplicationTitle[] = "Plumfizz Slots";

// An error's text as the player is shown it: with a full stop at the end.
QString WithFullStop(const QString& text);

// The main window. It owns the game, the table's pictures and its off-screen
// surface, the five timers and the menu, and it is the rules' Host: every
// drawing, wait and message the rules ask for happens here.
//
// Start-up runs in the constructor. When it fails (the required picture is
// missing) StartupSucceeded() is false: the program ends without showing the
// window, and nothing is saved.
class TForm1 : public QMainWindow, public engine::Host, private TableViewClient {
    Q_OBJECT
public:
    // The spins' outcomes come from the generator unless another source is
    // given (the end-to-end build and the tests force the stops).
    TForm1(Platform& platform, MessageBoxes& boxes, engine::OutcomeSource& outcomes = engine::DefaultOutcomes(),
           QWidget* parent = nullptr);
    ~TForm1() override;

    bool StartupSucceeded() const { return startupSucceeded_; }
    // Below 100 logical pixels per inch the window starts maximised.
    bool ShowsMaximised() const { return showMaximised_; }
    // Shows the window as start-up left it.
    void ShowTable();

    // The game: one record shared with every window, the generator, the rules.
    engine::GameState State;
    engine::Random& Rng() { return random_; }
    engine::Game& Rules() { return game_; }

    // Theme and screen values, fixed at start-up.
    const QString& AssetDir() const { return assetDir_; }
    const QString& ProgramBaseName() const { return programBaseName_; }
    const QString& GameTitle() const { return gameTitle_; }
    const QString& SoundRoot() const { return soundRoot_; }
    const QString& WebPageName() const { return webPageName_; }
    const QString& VersionText() const { return versionText_; }
    const QString& HelpFile() const { return helpFile_; }
    int ScreenWidth() const { return screenWidth_; }
    int ScreenHeight() const { return screenHeight_; }
    // Where the table stands in the client area (centred), and its scale.
    int OriginX() const { return origin_.x(); }
    int OriginY() const { return origin_.y(); }
    const pictures::Scaling& Scale() const { return scaling_; }

    const QImage& Surface() const { return surface_; }
    TableView* View() const { return view_; }
    media::Sound& Sounds() { return sound_; }
    media::Music& Tracks() { return music_; }

    const WindowLifecycle& Lifecycle() const { return lifecycle_; }

    // The designer's controls.
    MainMenuActions MainMenu1{};
    QTimer Timer1;  // start-up tick, once
    QTimer Timer2;  // button attention
    QTimer Timer3;  // win flash
    QTimer Timer4;  // starts a pending music track
    QTimer Timer5;  // bet-sign blink

    // Attention state kept between ticks.
    bool SpinBlink = false;
    int LastAttractPick = 0;
    bool WinFlashPhase = false;
    bool BetSignPhase = false;

    // The full redraw of the table into the surface.
    void FormPaint();

    // engine::Host
    void DrawCreditsCounter() override;
    void DrawCoinsCounter() override;
    void DrawWinningsCaption() override;
    void DrawWinningsCounter(int32_t shown) override;
    void DrawButton(engine::Button button, bool lit) override;
    void DrawLogoPanel(bool lit) override;
    void DrawTitlePlate(bool lit) override;
    void DrawBetSign(bool lit) override;
    void DrawBonusMeter() override;
    void SetTimerEnabled(engine::AttentionTimer timer, bool enabled) override;
    bool IsTimerEnabled(engine::AttentionTimer timer) const override;
    void PlaySoundEffect(engine::Effect effect) override;
    void PlayWinSound() override;
    void Delay(double seconds) override;
    void ShowInformation(const std::string& text) override;
    bool StartPendingTrack() override;
    int32_t MotionHeight() const override;
    void AnimateSpin(const engine::MotionOffsets& offsets) override;
    void SlideReel(int reel, engine::SlideDirection direction) override;
    void SettleReel(int reel) override;
    void SecureOutcome(const engine::GameState& settled) override;
    void RunBonusWindow(const engine::BonusPrizes& prizes) override;

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
    // Start-up.
    void FormCreate();
    void ReadTestingIni();
    bool AssetStep();
    void PlaceTable(QSize clientArea);
    void MakePainter();
    void FitOuterSize();

    // Closing: false when the game could not be saved (the window stays open).
    bool FormClose(bool withReminder);
    void SaveCurrentGame();
    void SaveGame(const engine::GameState& game);
    // Saves the current game after a change; a failure is told once a run
    // (the game goes on, and closing tells it again).
    void SaveAfterChange();

    // Open Game and Save Game: the slot dialog, held against a close.
    void RunSlotDialog(dialogs::SlotDialogMode mode);
    // A bet or spin from the player; saves after a played spin and carries
    // out a close that arrived during it.
    void RunPlayerOperation(void (engine::Game::*operation)());
    void SetSpinCommandsEnabled(bool enabled);
    // A bonus game owed by a spin that did not end (its meter was saved full)
    // is played before any bet.
    void PlayOwedBonusGame();
    // Start-up: a saved-games file that is there but cannot be read is told
    // once; temporary files of killed writers are removed.
    void CheckSavedGamesFile();

    // The manual at a help topic, for the window in front.
    void ShowHelpTopic(int topic);

    // Errors that escape a handler end the handler, not the program.
    template <typename Handler>
    bool Guarded(Handler&& handler);
    void ShowHandlerError(const QString& text);

    void MarkDirty(const QRect& rect);
    void ShowNow(const QRect& rect);
    void LogFrame(const char* what, int a, int b = -1);
    void WaitMicros(int64_t micros);

    // TableViewClient
    void TableMousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position) override;
    bool TableKeyPressed(int key, Qt::KeyboardModifiers modifiers) override;
    void TableResized(QSize size) override;
    void TableFirstPainted() override;

    Platform& platform_;
    MessageBoxes& boxes_;
    engine::Random random_;
    WindowLifecycle lifecycle_;
    engine::Game game_;
    media::Sound sound_;
    media::Music music_;

    pictures::PictureSet pictures_;
    QImage surface_;  // the table only, without the black beside it
    std::unique_ptr<TablePainter> painter_;
    TableView* view_ = nullptr;
    // While the reels animate, drawings made between two frames (the attention
    // timers') are shown with the next frame instead of by a paint of their own.
    bool holdingDirty_ = false;
    QRegion heldDirty_;
    pictures::Scaling scaling_;
    QPoint origin_;
    int logicalDpi_ = 96;

    QString assetDir_;
    QString programBaseName_;
    QString gameTitle_;
    QString soundRoot_;
    QString webPageName_;
    QString versionText_;
    QString helpFile_;
    int screenWidth_ = 800;
    int screenHeight_ = 600;
    QSize outerSize_;

    bool startupSucceeded_ = false;
    bool showMaximised_ = false;
    bool gameResumed_ = false;
    bool saveFailureTold_ = false;       // after a spin or an opened game
    bool closeSaveFailureTold_ = false;  // by a close that stayed open

    std::FILE* frameLog_ = nullptr;
};

template <typename Handler>
bool TForm1::Guarded(Handler&& handler)
{
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        ShowHandlerError(QString::fromUtf8(error.what()));
    } catch (...) {
        ShowHandlerError(QStringLiteral("Unknown error"));
    }
    return false;
}

}  // namespace table
