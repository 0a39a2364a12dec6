// The recall mark: a dark plate with a gold rim over the logo panel, RECALL
// in large gold letters, the game recalled, the keys, and the button that
// returns to play.
#include <QPainter>
#include <QPainterPath>

#include "drawing/TablePainter.h"
#include "pictures/TableLayout.h"

namespace drawing {

namespace {

const QColor PlateColour(0x16, 0x04, 0x1a, 232);
const QColor Gold(0xf2, 0xcc, 0x5a);
const QColor Cream(0xf7, 0xf0, 0xe1);

// The button in design coordinates: across the plate's foot.
constexpr QRect ButtonPlace{307, 226, 182, 28};

}  // namespace

QRect TablePainter::RecallButton() const
{
    const int left = Scaled(ButtonPlace.left());
    const int top = Scaled(ButtonPlace.top());
    return QRect(left, top, Scaled(ButtonPlace.left() + ButtonPlace.width()) - left,
                 Scaled(ButtonPlace.top() + ButtonPlace.height()) - top);
}

QRect TablePainter::DrawRecallMark(const QString& detail)
{
    backgroundOnSurface_ = false;  // a full redraw takes the mark away
    areas_[0].intact = false;      // the mark covers the logo panel
    const QRect plate = ScaledRect(pictures::layout::LogoPanel);
    QPainter painter(&surface_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const qreal radius = DeviceScaled(12);
    painter.setPen(QPen(Gold, std::max(2, DeviceScaled(3))));
    painter.setBrush(PlateColour);
    painter.drawRoundedRect(QRectF(plate).adjusted(1.5, 1.5, -1.5, -1.5), radius, radius);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(DeviceScaled(46));
    font.setLetterSpacing(QFont::PercentageSpacing, 112);
    painter.setFont(font);
    painter.setPen(Gold);
    painter.drawText(QRect(plate.left(), plate.top() + DeviceScaled(8), plate.width(), DeviceScaled(56)),
                     Qt::AlignCenter, QStringLiteral("RECALL"));

    font.setBold(false);
    font.setLetterSpacing(QFont::PercentageSpacing, 100);
    font.setPixelSize(DeviceScaled(13));
    painter.setFont(font);
    painter.setPen(Cream);
    const QRect lines(plate.left() + DeviceScaled(10), plate.top() + DeviceScaled(66), plate.width() - DeviceScaled(20),
                      DeviceScaled(52));
    painter.drawText(lines, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                     detail + QStringLiteral("\n\u2190 \u2192 other games    R replay"));

    const QRect button = ScaledRect(ButtonPlace);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Gold);
    painter.drawRoundedRect(QRectF(button), DeviceScaled(6), DeviceScaled(6));
    font.setBold(true);
    font.setPixelSize(DeviceScaled(14));
    painter.setFont(font);
    painter.setPen(QColor(0x3a, 0x08, 0x44));
    painter.drawText(button, Qt::AlignCenter, QStringLiteral("Back to play (Esc)"));
    return plate;
}

}  // namespace drawing
