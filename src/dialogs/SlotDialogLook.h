// The game slot dialog's look: the cabinet's plum, gold and buttons with
// cream glass panels, at the dialog's design positions.
#pragma once

#include <QLineEdit>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

class QDialog;
class QLabel;
class QPushButton;

namespace dialogs::slotlook {

// The glass panel behind one slot's controls; a class of its own so that a
// screen reader is given the panel as one item.
class SlotPanel : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};

// A slot's name: edited in full, shown ending in "…" while it has not the
// focus and is too long for its field.
class SlotNameField : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

    // The text as the field shows it without the focus.
    QString ShownText() const;
    // The width the text has without the focus.
    int TextWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect TextRect() const;
};

inline constexpr QSize ClientSize{616, 360};
inline constexpr QRect Bevel{0, 8, 617, 297};
inline constexpr QPoint HelpButtonPosition{8, 316};
inline constexpr QPoint CancelButtonPosition{508, 316};

// A panel's controls, at their places inside it: the name and the game and
// date beside the button, the amounts below it across the whole panel, so
// that ten digits and a sign fit each.
inline constexpr QRect NameField{8, 8, 220, 20};
inline constexpr QRect GameLabel{8, 28, 129, 16};
inline constexpr QRect DateLabel{140, 28, 85, 16};
inline constexpr QRect SlotButton{232, 7, 49, 37};
inline constexpr QRect CreditsLabel{8, 46, 134, 16};
inline constexpr QRect BorrowedLabel{142, 46, 139, 16};

// Panel n (1..8): slots 1-4 in the left column, 5-8 in the right.
QRect PanelRect(int n);

// The cabinet's look, the panels' glass and the dialog's font (8 point bold).
void StyleDialog(QDialog& dialog);
// The plum background and the gold-framed bevel behind the panels.
void PaintBackground(QDialog& dialog);

QWidget* MakePanel(QDialog& dialog, int n);
SlotNameField* MakeNameField(QWidget& panel);
QLabel* MakeLabel(QWidget& panel, const QRect& at);
QPushButton* MakeSlotButton(QWidget& panel, int n, bool saving);
QPushButton* MakeDialogButton(QDialog& dialog, const QString& text, QPoint at);

}  // namespace dialogs::slotlook
