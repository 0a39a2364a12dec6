// The game slot dialog: eight panels of saved games, saving the
// running game into one of them or opening one as the running game.
#pragma once

#include <QDialog>
#include <QInputDialog>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "engine/GameState.h"
#include "store/GameStore.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace dialogs {

enum class SlotDialogMode { Save, Open };

// The dialog's help topic in the game's manual.
inline constexpr int SlotDialogHelpTopic = 41008;
// A saved game's name is at most this many characters.
inline constexpr int MaxSavedNameCharacters = 255;

// What the dialog takes from its caller. An empty function falls back to:
// no help, Qt's input box, a Qt error box.
struct SlotDialogServices {
    std::function<void(int topic)> showHelp;
    // The name question: nothing when the player cancels it.
    std::function<std::optional<QString>(const QString& caption, const QString& initial)> askName;
    std::function<void(const QString& text)> showError;
};

// A name as it may be stored: its first 255 characters, line breaks and other
// control characters turned into spaces.
QString SavedGameName(const QString& typed);

// The caption of the question for a saved game's name.
inline constexpr char NameQuestionCaption[] = "Name for this saved game?";

// The name question in the cabinet's look, holding `initial`, taking at most
// the characters a name may have, and wide enough for its caption.
std::unique_ptr<QInputDialog> MakeNameQuestion(const QString& initial, QWidget* owner);

// The dialog. The panels are filled from a scratch record; the running game
// (`state`) changes only when a slot is opened, and then becomes exactly that
// slot with an empty table. Saving writes the running game, the coins on the
// table counted back into its Credits, and leaves the running game as it was.
// A save that fails is told and keeps the dialog open. Opening uses no name:
// an edited name is not kept, and Enter in a name field does nothing.
class SlotDialog : public QDialog {
    Q_OBJECT
public:
    SlotDialog(SlotDialogMode mode, engine::GameState& state, const store::GameStore& store, const QString& gameTitle,
               SlotDialogServices services, QWidget* owner = nullptr);

    SlotDialogMode Mode() const { return mode_; }
    // A slot was opened into the running game (Open mode, OK).
    bool Opened() const { return opened_; }

    // The panels' controls: panel n shows slot n - 1.
    QLineEdit *Name1, *Name2, *Name3, *Name4, *Name5, *Name6, *Name7, *Name8;
    QLabel *Game1, *Game2, *Game3, *Game4, *Game5, *Game6, *Game7, *Game8;
    QLabel *date1, *date2, *date3, *date4, *date5, *date6, *date7, *date8;
    QLabel *credits1, *credits2, *credits3, *credits4, *credits5, *credits6, *credits7, *credits8;
    QLabel *borrowed1, *borrowed2, *borrowed3, *borrowed4, *borrowed5, *borrowed6, *borrowed7, *borrowed8;
    QPushButton* HelpBtn;
    QPushButton* CancelBtn;

    // Panel n's controls and button, n = 1..8.
    QLineEdit* NameField(int n) const { return panels_.at(n - 1).name; }
    QPushButton* SlotButton(int n) const { return panels_.at(n - 1).button; }

    // A slot button, tag 1..8.
    void SlotButtonClick(int tag);
    void HelpBtnClick();

    // Closing, however it happens: OK, Cancel, Escape, the close box.
    void done(int result) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    // F1 shows the dialog's topic, as Help does.
    void keyPressEvent(QKeyEvent* event) override;
    // Enter in a name field: its panel chosen when saving, nothing when opening.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Panel {
        QLineEdit* name = nullptr;
        QLabel *game = nullptr, *date = nullptr, *credits = nullptr, *borrowed = nullptr;
        QPushButton* button = nullptr;
        int32_t creditsShown = 0, borrowedShown = 0;
    };
    void FormCreate(const QString& gameTitle);
    // The panel as a screen reader reads it, on its button: slot, name and amounts.
    void UpdateSlotItem(int n);
    void SaveInto(int slot);
    void OpenFrom(int slot);
    void ShowError(const QString& text);

    SlotDialogMode mode_;
    engine::GameState& state_;
    const store::GameStore& store_;
    SlotDialogServices services_;
    std::array<Panel, 8> panels_{};
    bool opened_ = false;
    bool closed_ = false;
};

}  // namespace dialogs
