// The bonus window: the pick-a-box dialog a full meter opens, what it needs from the main window,
// and the call that opens it over the table.
#pragma once

#include <QDialog>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTimer>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "dialogs/PictureControl.h"
#include "engine/SoundEffects.h"
#include "engine/TableTypes.h"

namespace dialogs {

// What the bonus window takes from the main window. An empty function falls
// back to: no sound, a plain Qt information box, a generator seeded from the
// time of day (the main window always passes its own).
struct BonusWindowServices {
    std::function<void(engine::Effect effect)> playSoundEffect;  // empty box, prize box, fanfare
    std::function<int32_t(int32_t n)> random;                    // the program's one Random(n)
    std::function<void(const QString& text)> showInformation;    // information box with OK
    std::function<void(int box)> picked;                         // at the close: PaidBox()
};

// Start-up facts the window is laid out by.
struct BonusWindowSetup {
    QString assetDir;     // where "bonus1.bmp".."bonus3.bmp" may replace the built-in pictures
    QSize screenSize;     // ScreenWidth × ScreenHeight recorded at start-up
    int logicalDpi = 96;  // below 100 the window is maximised; also sizes the prize text
};

// The pick-a-box bonus window: eight closed boxes, one to open by mouse or
// keyboard. It shows the prizes; when it closes, however it closes, it tells
// `picked` the box whose prize the rules then pay.
class BonusWindow : public QDialog {
    Q_OBJECT
public:
    BonusWindow(const engine::BonusPrizes& prizes, const BonusWindowSetup& setup, BonusWindowServices services,
                QWidget* owner = nullptr);

    // The prize of the last prize box opened; 0 until one is.
    int32_t PickedPrize() const { return pickedPrize_; }
    // The box paid: the last prize box opened, else the last box opened
    // (1..8), 0 while none is.
    int PaidBox() const { return pickedBox_ != 0 ? pickedBox_ : openedBox_; }
    bool BoxOpened() const { return boxOpened_; }
    // The box (1..8) opened last; 0 until one is.
    int OpenedBox() const { return openedBox_; }

    // The box (1..8) whose area holds a point of the closed-boxes picture; 0
    // for the gaps and everywhere else.
    static int BoxAt(QPoint picturePosition);

    // Opens box 1..8: shows its outcome, plays its sound, starts the closing
    // timer and, for a prize, writes it on the prize picture.
    void OpenBox(int box);

    // Whether a click in box 1..8 would be taken now: the window and its
    // closed boxes are shown, the box lies on their picture inside the window,
    // and no other modal window holds the input.
    bool BoxTakesClick(int box) const;
    // A click in the middle of box 1..8 as the player makes it with the mouse,
    // for a screen reader's press.
    void ClickBox(int box);
    // What box 1..8 held once opened: its prize, 0 for an empty box; nothing
    // while it is closed.
    std::optional<int32_t> OpenedContents(int box) const;

    // For the main window's close: opens a box as Enter would if none is open
    // yet, so the bonus is not lost, then closes without waiting.
    void FinishNow();

    // The pictures, bottom to top, all sharing one corner, and the timers.
    // Declared before the private members, so built first.
    PictureControl ClosedBoxes;   // eight closed boxes, the one that takes clicks
    PictureControl EmptyBox;      // shown for an empty box
    PictureControl PrizePicture;  // shown for a prize, with its text
    QTimer CloseTimer;            // 3000 ms after the first opening: close
    QTimer OpeningSoundTimer;     // 200 ms after creation: the opening sound

    void CloseTick();
    void OpeningSoundTick();
    void ClosedBoxesMouseDown(QPoint position);

    // Closing, however it happens.
    void done(int result) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;  // the black background
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void LoadPictures(const QString& assetDir);
    void CentrePictures();
    void DrawPrizeText();
    void FormClose();
    // Where box 1..8 can be clicked on the closed-boxes picture: its area as
    // far as the picture and the window show it.
    QRect ClickableArea(int box) const;
    void PlaySoundEffect(engine::Effect effect);
    int32_t Random(int32_t n);

    const engine::BonusPrizes prizes_;
    BonusWindowServices services_;
    int logicalDpi_;
    QImage prizeBackground_;  // the prize picture before any text
    QString prizePath_;       // where it was read from, beside its variants
    int32_t pickedPrize_ = 0;
    bool boxOpened_ = false;
    int openedBox_ = 0;
    int pickedBox_ = 0;  // the last prize box opened
    std::array<bool, 8> opened_{};  // the boxes opened so far
    bool closed_ = false;
};

// Opens the bonus window over the owner, modal, and returns at once; it
// deletes itself once closed, after telling `services.picked`.
BonusWindow* OpenBonusWindow(const engine::BonusPrizes& prizes, const BonusWindowSetup& setup,
                             BonusWindowServices services, QWidget* owner);

}  // namespace dialogs
