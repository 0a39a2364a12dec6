// Painting the cabinet's plum lacquer, gold rims and cream glass behind the
// side dialogs' controls.
#include "dialogs/CabinetLook.h"

#include <QChildEvent>
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
// Sliders are a gold bar in a dark groove.
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
QSlider::groove:horizontal { height: 6px; background: #16041a; border: 1px solid #c8962c; border-radius: 3px; }
QSlider::sub-page:horizontal {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fff0b0, stop:1 #c8962c); border-radius: 3px;
}
QSlider::handle:horizontal {
    width: 14px; margin: -5px 0px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fff0b0, stop:1 #c8962c);
    border: 1px solid #5e3f0c; border-radius: 7px;
}
QSlider::handle:horizontal:focus { border: 2px solid #fff0b0; }
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

// Under a style sheet a control takes the desktop's colours, not its window's:
// each control without colours of its own is given the cabinet's palette as
// it is made ready to show.
class CabinetPaletteKeeper : public QObject {
public:
    CabinetPaletteKeeper(QWidget& window, const QPalette& palette) : QObject(&window), palette_(palette)
    {
        window.installEventFilter(this);
        for (QWidget* control : window.findChildren<QWidget*>()) Give(*control);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ChildPolished) {
            if (auto* control = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child())) Give(*control);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void Give(QWidget& control) const
    {
        if (!control.isWindow() && !control.testAttribute(Qt::WA_SetPalette)) control.setPalette(palette_);
    }

    QPalette palette_;
};

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
    dialog.setStyleSheet(QString::fromLatin1(CabinetStyleSheet));
    dialog.setFont(CabinetFont());
    new CabinetPaletteKeeper(dialog, palette);
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
