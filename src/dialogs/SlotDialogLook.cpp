// The game slot dialog's look: the cabinet's style with the panels' glass, the
// painted plum background, and the controls at their places.
#include "dialogs/SlotDialogLook.h"

#include <QDialog>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>

#include "dialogs/CabinetLook.h"

namespace dialogs::slotlook {

namespace {

const QColor Gold(0xe8, 0xc0, 0x4a);
const QColor GoldDark(0x8a, 0x62, 0x12);

// The cabinet's look, and the slot panels as cream glass with a gold rim and
// dark lettering; the slot buttons leave their narrow width to the lettering.
const char* const PanelStyleSheet = R"(
QWidget#SlotPanel {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fffaf0, stop:1 #efe4cc);
    border: 2px solid #c8962c; border-radius: 7px;
}
QWidget#SlotPanel QLabel { color: #201024; background: transparent; font-weight: normal; }
QLineEdit#SlotName {
    color: #201024; background: transparent; border: none; font-weight: normal;
    selection-background-color: #55125e; selection-color: #fff0b0;
}
QLineEdit#SlotName:focus { background: rgba(255, 255, 255, 200); border-bottom: 1px solid #8a6212; }
QPushButton#SlotButton { padding: 0px; }
)";

QFont EightPoint(bool bold)
{
    return CabinetFont(CabinetSmallPoints, bold);
}

}  // namespace

QRect PanelRect(int n)
{
    const int column = (n - 1) / 4;
    const int row = (n - 1) % 4;
    return {column == 0 ? 16 : 312, 16 + row * 72, 289, 65};
}

void StyleDialog(QDialog& dialog)
{
    ApplyCabinetLook(dialog);
    dialog.setFont(EightPoint(true));
    dialog.setStyleSheet(dialog.styleSheet() + QString::fromLatin1(PanelStyleSheet));
}

void PaintBackground(QDialog& dialog)
{
    QPainter painter(&dialog);
    PaintCabinetBackground(painter, dialog.rect());
    // The bevel: a gold frame, light above and left, dark below and right.
    const QRect bevel = Bevel.adjusted(4, 0, -5, -1);
    painter.fillRect(bevel, QColor(0x16, 0x03, 0x1a, 170));
    painter.setPen(QPen(Gold, 2));
    painter.drawLine(bevel.topLeft(), bevel.topRight());
    painter.drawLine(bevel.topLeft(), bevel.bottomLeft());
    painter.setPen(QPen(GoldDark, 2));
    painter.drawLine(bevel.bottomLeft(), bevel.bottomRight());
    painter.drawLine(bevel.topRight(), bevel.bottomRight());
}

QWidget* MakePanel(QDialog& dialog, int n)
{
    auto* panel = new SlotPanel(&dialog);
    panel->setObjectName(QStringLiteral("SlotPanel"));
    panel->setAttribute(Qt::WA_StyledBackground, true);
    panel->setGeometry(PanelRect(n));
    return panel;
}

QRect SlotNameField::TextRect() const
{
    // Where QLineEdit lays out its text: the style's contents, less the
    // margins and QLineEdit's own two pixels each side.
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    return contents.marginsRemoved(textMargins()).adjusted(2, 1, -2, -1);
}

QString SlotNameField::ShownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideRight, TextRect().width());
}

int SlotNameField::TextWidth() const
{
    return TextRect().width();
}

void SlotNameField::paintEvent(QPaintEvent* event)
{
    const QString shown = ShownText();
    if (hasFocus() || shown == text()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(TextRect(), Qt::AlignLeft | Qt::AlignVCenter, shown);
}

SlotNameField* MakeNameField(QWidget& panel)
{
    auto* field = new SlotNameField(&panel);
    field->setObjectName(QStringLiteral("SlotName"));
    field->setFont(EightPoint(false));
    field->setGeometry(NameField);
    return field;
}

QLabel* MakeLabel(QWidget& panel, const QRect& at)
{
    auto* label = new QLabel(&panel);
    // Names and dates come from the saved-games file: never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setFont(EightPoint(false));
    label->setGeometry(at);
    if (at == DateLabel || at == BorrowedLabel) label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The amounts' widest texts fit whole: a smaller font only where the
    // system's does not let them.
    const QString widest = at == CreditsLabel    ? QStringLiteral("-2147483648 Credits")
                           : at == BorrowedLabel ? QStringLiteral("-2147483648 Borrowed")
                                                 : QString();
    QFont font = label->font();
    while (!widest.isEmpty() && font.pointSize() > 6 && QFontMetrics(font).horizontalAdvance(widest) > at.width()) {
        font.setPointSize(font.pointSize() - 1);
    }
    label->setFont(font);
    return label;
}

QPushButton* MakeSlotButton(QWidget& panel, int n, bool saving)
{
    auto* button = new QPushButton(saving ? QStringLiteral("Save") : QStringLiteral("Open"), &panel);
    button->setObjectName(QStringLiteral("SlotButton"));
    button->setFont(CabinetFont(CabinetTextPoints, true));
    button->setGeometry(SlotButton);
    button->setToolTip(
        (saving ? QStringLiteral("Save the game in slot %1") : QStringLiteral("Open the game of slot %1")).arg(n));
    button->setAutoDefault(true);
    return button;
}

QPushButton* MakeDialogButton(QDialog& dialog, const QString& text, QPoint at)
{
    auto* button = new QPushButton(text, &dialog);
    button->setFont(CabinetFont(CabinetTextPoints, true));
    button->setGeometry(QRect(at, QSize(97, 37)));
    button->setAutoDefault(true);
    return button;
}

}  // namespace dialogs::slotlook
