// Drawing the table: the room, the cabinet, the counters' black glass, the reel windows and payline
// markers, the meter's well, the buttons, ledge and lever, then the attention areas.
#include "Cabinet.h"

#include <QPainter>
#include <QRadialGradient>
#include <cmath>

#include "AttentionAreas.h"
#include "Paint.h"
#include "Palette.h"
#include "PayTable.h"
#include "Symbols.h"
#include "engine/Host.h"
#include "pictures/TableLayout.h"

namespace artwork {

namespace layout = pictures::layout;

namespace {

using namespace pictures::layout;

const QRectF CabinetBody{204, 6, 468, 590};
const QRectF ReelBezel{222, 264, 352, 250};
const QRectF PayGlassArea{12, 18, 180, 566};

// The room behind the machine: dark plum with a faint diamond lattice and light
// falling on the cabinet.
void PaintRoom(QPainter& p)
{
    QRadialGradient wall(QPointF(430, 260), 560);
    wall.setColorAt(0.0, QColor(0x4a, 0x12, 0x52));
    wall.setColorAt(0.55, QColor(0x24, 0x06, 0x2a));
    wall.setColorAt(1.0, QColor(0x0a, 0x00, 0x0c));
    p.fillRect(QRectF(0, 0, TableSize.width(), TableSize.height()), wall);
    p.save();
    p.setPen(QPen(QColor(0xff, 0xc8, 0xff, 14), 1.0));
    for (int i = -TableSize.height(); i < TableSize.width(); i += 28) {
        p.drawLine(QPointF(i, 0), QPointF(i + TableSize.height(), TableSize.height()));
        p.drawLine(QPointF(i + TableSize.height(), 0), QPointF(i, TableSize.height()));
    }
    p.restore();
}

void PaintBody(QPainter& p)
{
    // Soft shadow on the wall.
    p.setPen(Qt::NoPen);
    for (int i = 8; i > 0; --i) {
        p.setBrush(QColor(0, 0, 0, 10));
        p.drawRoundedRect(CabinetBody.adjusted(-i, -i + 3, i, i + 3), 18 + i, 18 + i);
    }
    // Lacquered plum with light bands running down the front.
    QLinearGradient lacquer(CabinetBody.topLeft(), CabinetBody.topRight());
    lacquer.setColorAt(0.00, QColor(0x1e, 0x02, 0x24));
    lacquer.setColorAt(0.06, QColor(0x5a, 0x14, 0x66));
    lacquer.setColorAt(0.10, QColor(0x7a, 0x24, 0x88));
    lacquer.setColorAt(0.18, QColor(0x4a, 0x0e, 0x56));
    lacquer.setColorAt(0.50, QColor(0x3a, 0x08, 0x44));
    lacquer.setColorAt(0.82, QColor(0x4a, 0x0e, 0x56));
    lacquer.setColorAt(0.90, QColor(0x72, 0x20, 0x80));
    lacquer.setColorAt(0.95, QColor(0x4a, 0x10, 0x56));
    lacquer.setColorAt(1.00, QColor(0x1a, 0x02, 0x20));
    p.setBrush(lacquer);
    p.drawRoundedRect(CabinetBody, 18, 18);
    QLinearGradient fall(CabinetBody.topLeft(), CabinetBody.bottomLeft());
    fall.setColorAt(0.0, QColor(255, 220, 255, 40));
    fall.setColorAt(0.3, QColor(255, 220, 255, 0));
    fall.setColorAt(0.8, QColor(0, 0, 0, 0));
    fall.setColorAt(1.0, QColor(0, 0, 0, 90));
    p.setBrush(fall);
    p.drawRoundedRect(CabinetBody, 18, 18);
    ChromeRing(p, CabinetBody, 4, 18);
    // Gold pinstripe just inside the chrome.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(palette::Gold, 1.2));
    p.drawRoundedRect(CabinetBody.adjusted(9, 9, -9, -9), 12, 12);
}

void PaintCounterBand(QPainter& p)
{
    const QRectF glass = CounterGlass;
    ChromeRing(p, glass.adjusted(-7, -6, 7, 6), 4, 10);
    GoldRing(p, glass.adjusted(-3, -2, 3, 2), 2, 7);
    // The counters are drawn on black: the program blacks out the Winnings field
    // and the cell beside every number, so the glass must be black to match.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRoundedRect(glass, 5, 5);
    QLinearGradient sheen(glass.topLeft(), QPointF(glass.left(), glass.top() + 5));
    sheen.setColorAt(0.0, QColor(255, 255, 255, 34));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(sheen);
    p.drawRect(QRectF(glass.left() + 6, glass.top(), glass.width() - 12, 5));
}

// A red pointer with a gold rim whose tip touches the end of the payline.
void PaintPaylineMarker(QPainter& p, qreal tipX, bool pointsRight)
{
    const qreal s = pointsRight ? 1.0 : -1.0;
    const qreal y = PaylineY + 0.5;
    QPolygonF arrow;
    arrow << QPointF(tipX, y) << QPointF(tipX - s * 12, y - 8) << QPointF(tipX - s * 12, y + 8);
    QPainterPath path;
    path.addPolygon(arrow);
    path.closeSubpath();
    QLinearGradient red(QPointF(0, y - 8), QPointF(0, y + 8));
    red.setColorAt(0.0, QColor(0xff, 0x70, 0x60));
    red.setColorAt(0.5, QColor(0xe8, 0x10, 0x10));
    red.setColorAt(1.0, QColor(0x80, 0x00, 0x00));
    OutlinedPath(p, path, red, palette::GoldBright, 0.9);
}

void PaintReels(QPainter& p)
{
    ChromeRing(p, ReelBezel, 5, 12);
    GoldRing(p, ReelBezel.adjusted(5, 5, -5, -5), 2.5, 8);
    QLinearGradient inside(ReelBezel.topLeft(), ReelBezel.bottomLeft());
    inside.setColorAt(0.0, QColor(0x12, 0x00, 0x16));
    inside.setColorAt(1.0, QColor(0x26, 0x04, 0x2c));
    p.setPen(Qt::NoPen);
    p.setBrush(inside);
    p.drawRoundedRect(ReelBezel.adjusted(7.5, 7.5, -7.5, -7.5), 6, 6);

    for (int reel = 0; reel < engine::ReelCount; ++reel) {
        const QRectF window = ReelWindow(reel);
        // Recess shadow round each window, then a thin chrome lip.
        for (int i = 5; i > 0; --i) {
            p.setPen(QPen(QColor(0, 0, 0, 40), 1.0));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(window.adjusted(-i - 1.5, -i - 1.5, i + 1.5, i + 1.5), 3 + i, 3 + i);
        }
        ChromeRing(p, window.adjusted(-3, -3, 3, 3), 3, 3);
        // The reel face under the glass, seen before the first symbols are drawn.
        PaintReelFace(p, window);
        QLinearGradient curve(window.topLeft(), window.bottomLeft());
        curve.setColorAt(0.0, QColor(0, 0, 0, 120));
        curve.setColorAt(0.2, QColor(0, 0, 0, 0));
        curve.setColorAt(0.8, QColor(0, 0, 0, 0));
        curve.setColorAt(1.0, QColor(0, 0, 0, 120));
        p.setPen(Qt::NoPen);
        p.setBrush(curve);
        p.drawRect(window);
    }
    PaintPaylineMarker(p, PaylineLeft, true);
    PaintPaylineMarker(p, PaylineRight, false);
}

void PaintMeterFrame(QPainter& p)
{
    const QRectF box = MeterBox;
    ChromeRing(p, box.adjusted(-5, -5, 5, 5), 4, 8);
    // A dark well: on wide screens the meter is drawn unscaled, smaller than the box.
    p.setPen(Qt::NoPen);
    p.setBrush(palette::PlumBlack);
    p.drawRoundedRect(box.adjusted(-1, -1, 1, 1), 4, 4);
    const QPainterPath label =
        TextPath(QStringLiteral("BONUS METER"), CondensedFont(12.5), QRectF(box.left() - 6, 197, box.width() + 12, 13));
    OutlinedPath(p, label, GoldGradient(QPointF(0, 197), QPointF(0, 210)), QColor(0x10, 0x00, 0x12), 0.8);
}

void PaintButtonColumn(QPainter& p)
{
    const QRectF column = QRectF(ButtonColumn).adjusted(-6, -6, 6, 6);
    ChromeRing(p, column, 4, 9);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x0e, 0x00, 0x12));
    p.drawRoundedRect(column.adjusted(4, 4, -4, -4), 6, 6);
    // Gold studs in the gaps between the buttons.
    for (const qreal y : {357.0, 426.5}) {
        for (const qreal x : {600.0, 616.0, 632.0}) {
            QRadialGradient stud(QPointF(x - 0.7, y - 0.7), 2.4);
            stud.setColorAt(0.0, palette::GoldPale);
            stud.setColorAt(1.0, palette::GoldDark);
            p.setBrush(stud);
            p.drawEllipse(QPointF(x, y), 2.0, 2.0);
        }
    }
}

// The ledge under the reels, a chrome rail between two gold caps.
void PaintLedge(QPainter& p)
{
    const QRectF rail(222, 522, 450 - 222 + 210, 14);
    p.setPen(Qt::NoPen);
    p.setBrush(ChromeGradient(rail.topLeft(), rail.bottomLeft()));
    p.drawRoundedRect(rail, 7, 7);
    for (const qreal x : {rail.left(), rail.right() - 14}) {
        QRadialGradient cap(QPointF(x + 5, rail.top() + 4), 10);
        cap.setColorAt(0.0, palette::GoldPale);
        cap.setColorAt(1.0, palette::GoldDark);
        p.setBrush(cap);
        p.drawEllipse(QRectF(x, rail.top(), 14, 14));
    }
}

// The handle on the right: a chrome arm with a red ball, mounted on a gold boss.
void PaintLever(QPainter& p)
{
    const QPointF pivot(700, 350);
    const QPointF knob(742, 118);
    p.setPen(Qt::NoPen);
    p.setBrush(ChromeGradient(QPointF(672, 318), QPointF(672, 392)));
    p.drawRoundedRect(QRectF(668, 318, 26, 74), 6, 6);
    QRadialGradient boss(pivot - QPointF(5, 6), 22);
    boss.setColorAt(0.0, palette::GoldPale);
    boss.setColorAt(0.5, palette::Gold);
    boss.setColorAt(1.0, palette::GoldDark);
    p.setBrush(boss);
    p.drawEllipse(pivot, 18, 18);
    QLinearGradient arm(QPointF(pivot.x() - 6, 0), QPointF(pivot.x() + 8, 0));
    arm.setColorAt(0.0, palette::ChromeDark);
    arm.setColorAt(0.35, palette::ChromeBright);
    arm.setColorAt(0.7, palette::Chrome);
    arm.setColorAt(1.0, palette::ChromeDark);
    p.setPen(QPen(QBrush(arm), 9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(pivot, knob);
    p.setPen(Qt::NoPen);
    QRadialGradient centreCap(pivot - QPointF(2, 2), 9);
    centreCap.setColorAt(0.0, palette::ChromeBright);
    centreCap.setColorAt(1.0, palette::ChromeDark);
    p.setBrush(centreCap);
    p.drawEllipse(pivot, 8, 8);
    QRadialGradient ball(knob - QPointF(8, 9), 30);
    ball.setColorAt(0.0, QColor(0xff, 0xd0, 0xc8));
    ball.setColorAt(0.25, QColor(0xf0, 0x20, 0x20));
    ball.setColorAt(0.8, QColor(0x90, 0x00, 0x08));
    ball.setColorAt(1.0, QColor(0x40, 0x00, 0x04));
    p.setBrush(ball);
    p.drawEllipse(knob, 21, 21);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(knob + QPointF(-8, -10), 5, 3.5);
}

}  // namespace

QImage Table(qreal scale)
{
    QImage table = NewCanvas(ScaledSize(TableSize, scale), Qt::black);
    QPainter p;
    BeginScaled(p, &table, scale);
    PaintRoom(p);
    PaintBody(p);
    PaintPayGlass(p, PayGlassArea);
    PaintLever(p);
    PaintCounterBand(p);
    PaintReels(p);
    PaintMeterFrame(p);
    PaintButtonColumn(p);
    PaintLedge(p);
    // The attention areas last and unscaled, so the lit copies here are exactly
    // the pictures the dim states are drawn from.
    DrawPixelForPixel(p, layout::LogoPanel.topLeft(), artwork::LogoPanel(true, scale));
    DrawPixelForPixel(p, layout::TitlePlate.topLeft(), artwork::TitlePlate(true, scale));
    DrawPixelForPixel(p, layout::BetSign.topLeft(), artwork::BetSign(true, scale));
    p.end();
    return table.convertToFormat(QImage::Format_RGB32);
}

}  // namespace artwork
