// Painting the cabinet's plum lacquer, gold rims and cream glass behind the
// side dialogs' controls.
#include "dialogs/CabinetLook.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPalette>
#include <QWidget>

namespace dialogs {

namespace {

// Plum buttons with a gold rim; the default button's rim is doubled, the
// focus lightens the rim (the keyboard focus frame adds its outline outside),
// the mouse lights the lacquer, a press darkens it, and a disabled button is
// dim plum with faded lettering and rim. Picture buttons (flat) show only
// their pictures, and the standard buttons of a box none of the desktop's.
// Boxes get the lacquer and rim the dialogs paint.
const char* const CabinetStyleSheet = R"(
QPushButton {
    color: #fff0b0; font-weight: bold;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #8c2a96, stop:0.5 #5c1666, stop:1 #3a0844);
    border: 1px solid #c8962c; border-radius: 6px; padding: 3px 8px;
}
QPushButton:default { border: 3px double #f2cc5a; }
QPushButton:focus { border-color: #fff0b0; }
QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #b050ba, stop:0.5 #7a2384, stop:1 #4a0c56); }
QPushButton:pressed { background: #24062a; color: #f2cc5a; }
QPushButton:disabled { color: #7a6478; background: #2a0a30; border: 1px solid #5e3f0c; }
QPushButton[flat="true"] { background: transparent; border: none; padding: 0px; }
QDialogButtonBox { dialogbuttonbox-buttons-have-icons: 0; }
QMessageBox, QInputDialog {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #55125e, stop:0.5 #3a0844, stop:1 #24062a);
    border: 3px solid #c8962c;
}
QMessageBox QLabel, QInputDialog QLabel { color: #fff0b0; background: transparent; }
QInputDialog QLineEdit {
    color: #201024; background: #f7f0e1; border: 2px solid #c8962c; border-radius: 4px; padding: 2px 4px;
    selection-background-color: #55125e; selection-color: #fff0b0;
}
QToolTip { color: #201024; background: #f7f0e1; border: 1px solid #c8962c; }
)";

}  // namespace

QFont CabinetFont(int points, bool bold)
{
    QFont font(QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

int CaptionMinimumWidth(const QString& caption)
{
    // Window managers title in a bold face of about this size; the frame's
    // buttons and margins take the rest, generously.
    return QFontMetrics(CabinetFont(11, true)).horizontalAdvance(caption) + 160;
}

void ApplyCabinetLook(QWidget& dialog)
{
    QPalette palette = dialog.palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, CabinetPlum);
        palette.setColor(group, QPalette::WindowText, CabinetGoldPale);
        palette.setColor(group, QPalette::Button, QColor(0x55, 0x12, 0x5e));
        palette.setColor(group, QPalette::ButtonText, CabinetGoldPale);
        palette.setColor(group, QPalette::Base, CabinetPlumDark);
        palette.setColor(group, QPalette::Text, CabinetGoldPale);
        palette.setColor(group, QPalette::Highlight, CabinetGold);
        palette.setColor(group, QPalette::HighlightedText, CabinetPlumDark);
        palette.setColor(group, QPalette::Light, QColor(0x8c, 0x2a, 0x96));
        palette.setColor(group, QPalette::Dark, CabinetPlumDark);
    }
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x9a, 0x80, 0x90));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x9a, 0x80, 0x90));
    palette.setColor(QPalette::Disabled, QPalette::Button, CabinetPlumDark);
    dialog.setPalette(palette);
    dialog.setFont(CabinetFont());
    dialog.setStyleSheet(QString::fromLatin1(CabinetStyleSheet));
}

void PaintCabinetBackground(QPainter& painter, const QRect& area)
{
    QLinearGradient lacquer(area.topLeft(), area.bottomLeft());
    lacquer.setColorAt(0.0, QColor(0x55, 0x12, 0x5e));
    lacquer.setColorAt(0.5, CabinetPlum);
    lacquer.setColorAt(1.0, QColor(0x24, 0x06, 0x2a));
    painter.fillRect(area, lacquer);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0xc8, 0x96, 0x2c), 3));
    painter.drawRoundedRect(QRectF(area).adjusted(2.5, 2.5, -2.5, -2.5), 8, 8);
    painter.setPen(QPen(CabinetGold, 1));
    painter.drawRoundedRect(QRectF(area).adjusted(6.5, 6.5, -6.5, -6.5), 5, 5);
    painter.restore();
}

void PaintGlassPanel(QPainter& painter, const QRect& area)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(CabinetGold, 2));
    painter.setBrush(CabinetGlass);
    painter.drawRoundedRect(QRectF(area).adjusted(1, 1, -1, -1), 6, 6);
    painter.restore();
}

}  // namespace dialogs
