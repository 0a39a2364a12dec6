// The game slot dialog's look: the cabinet's plum and gold, chrome buttons and
// lit-glass panels, at the dialog's design positions.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;

namespace dialogs::slotlook {

// The glass panel behind one slot's controls; a class of its own so that a
// screen reader is given the panel as one item.
class SlotPanel : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};

inline constexpr QSize ClientSize{616, 360};
inline constexpr QRect Bevel{0, 8, 617, 297};
inline constexpr QPoint HelpButtonPosition{8, 316};
inline constexpr QPoint CancelButtonPosition{508, 316};

// A panel's labels, at their places inside it.
inline constexpr QRect GameLabel{8, 28, 129, 16};
inline constexpr QRect DateLabel{168, 28, 57, 16};
inline constexpr QRect CreditsLabel{8, 46, 105, 16};
inline constexpr QRect BorrowedLabel{112, 46, 113, 16};

// Panel n (1..8): slots 1-4 in the left column, 5-8 in the right.
QRect PanelRect(int n);

// The dialog's colours and font (8 point bold).
void StyleDialog(QDialog& dialog);
// The plum background and the gold-framed bevel behind the panels.
void PaintBackground(QDialog& dialog);

QWidget* MakePanel(QDialog& dialog, int n);
QLineEdit* MakeNameField(QWidget& panel);
QLabel* MakeLabel(QWidget& panel, const QRect& at);
QPushButton* MakeSlotButton(QWidget& panel, int n, bool saving);
QPushButton* MakeDialogButton(QDialog& dialog, const QString& text, QPoint at);

}  // namespace dialogs::slotlook
