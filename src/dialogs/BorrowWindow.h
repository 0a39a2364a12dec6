// The borrow window: four amount buttons, the mode, and the live
// Borrowed and Credits counters drawn with the table's digit strips.
#pragma once

#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QString>

#include <functional>

#include "dialogs/Borrowing.h"
#include "engine/GameState.h"
#include "pictures/DigitCounter.h"
#include "pictures/PictureSet.h"

namespace dialogs {

// What the borrow window asks of the main window. An empty function falls
// back to a plain Qt information box, and to nothing for help.
struct BorrowWindowServices {
    std::function<void(const QString& text)> showInformation;  // information box with OK
    std::function<void(int topic)> showHelp;                   // the manual at a help topic
};

// Changes Credits and Borrowed of the game directly, press by press; there is
// nothing to confirm or undo when it closes.
class BorrowWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpContext = 41003;         // the window
    static constexpr int ControlHelpContext = 41005;  // its controls

    // `digits` holds the table's digit strips; `layoutWidth` picks their size as on the table.
    BorrowWindow(engine::GameState& state, const pictures::PictureSet& digits, int layoutWidth,
                 BorrowWindowServices services, QWidget* owner = nullptr);

    // The window's controls.
    QPushButton Button1000;  // tag 0
    QPushButton Button100;   // tag 1
    QPushButton Button10;    // tag 2
    QPushButton Button1;     // tag 3
    QLabel ModeLabel;        // "Mode:"
    QRadioButton BorrowRadio;
    QRadioButton PayBackRadio;
    QPushButton OKButton;
    QPushButton HelpButton;

    // The client area as last painted: background, captions and counters.
    const QImage& Surface() const { return surface_; }
    // Where the last paint put the captions, the counters' digit fields and
    // the dark glass under each.
    QRect BorrowedCaption() const { return borrowedCaption_; }
    QRect CreditsCaption() const { return creditsCaption_; }
    QRect BorrowedCounter() const { return borrowedCounter_; }
    QRect CreditsCounter() const { return creditsCounter_; }
    QRect BorrowedGlass() const { return borrowedGlass_; }
    QRect CreditsGlass() const { return creditsGlass_; }

    void AmountButtonClick(int tag);
    void HelpButtonClick();
    void FormPaint();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowInformation(const QString& text);

    engine::GameState& state_;
    const pictures::PictureSet& digits_;
    int layoutWidth_;
    BorrowWindowServices services_;
    QImage surface_;
    // The counters' strips for the ratio they were made for (0: none yet):
    // read from their variants once, not at every press.
    pictures::CounterDigits redDigits_, greenDigits_;
    double digitsRatio_ = 0;
    QRect borrowedCaption_, creditsCaption_, borrowedCounter_, creditsCounter_, borrowedGlass_, creditsGlass_;
};

// Creates the borrow window, shows it modally until it closes and destroys it.
void RunBorrowWindow(engine::GameState& state, const pictures::PictureSet& digits, int layoutWidth,
                     BorrowWindowServices services, QWidget* owner = nullptr);

}  // namespace dialogs
