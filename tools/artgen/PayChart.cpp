// Drawing the pay chart: a row per rule with its payout for one to five coins, and the lines on the
// bonus meter and the nudges.
#include "PayChart.h"

#include <QPainter>

#include "Paint.h"
#include "Palette.h"
#include "PayTable.h"

namespace artwork {

namespace {

constexpr int Width = 600;
constexpr int Height = 540;
constexpr int MaxCoins = 5;

}  // namespace

QImage PayChart(qreal scale)
{
    QImage chart = NewCanvas(ScaledSize(QSize(Width, Height), scale), Qt::black);
    QPainter p;
    BeginScaled(p, &chart, scale);
    const QRectF all(0, 0, Width, Height);
    QLinearGradient back(all.topLeft(), all.bottomLeft());
    back.setColorAt(0.0, QColor(0x44, 0x0e, 0x4e));
    back.setColorAt(1.0, QColor(0x16, 0x02, 0x1c));
    p.fillRect(all, back);
    GoldRing(p, all.adjusted(3, 3, -3, -3), 3, 10);

    const QPainterPath title = TextPath(QStringLiteral("PAYOFFS"), SerifFont(34), QRectF(0, 12, Width, 42));
    Glow(p, title, QColor(0xff, 0xc8, 0x40), 4, 0.7);
    OutlinedPath(p, title, GoldGradient(QPointF(0, 12), QPointF(0, 54)), QColor(0x2a, 0x04, 0x20), 1.4);

    const qreal iconsLeft = 26, tile = 35, gap = 4;
    const qreal columnsLeft = iconsLeft + 3 * (tile + gap) + 14;
    const qreal columnWidth = (Width - 22 - columnsLeft) / MaxCoins;
    qreal y = 66;
    for (int coins = 1; coins <= MaxCoins; ++coins) {
        const QRectF cell(columnsLeft + (coins - 1) * columnWidth, y, columnWidth, 22);
        const QPainterPath head = TextPath(
            coins == 1 ? QStringLiteral("1 COIN") : QStringLiteral("%1 COINS").arg(coins), CondensedFont(14), cell);
        OutlinedPath(p, head, palette::GoldBright, QColor(0x10, 0x00, 0x12), 0.6);
    }
    y += 30;

    const auto& rules = PayRules();
    for (size_t r = 0; r < rules.size(); ++r) {
        const PayRule& rule = rules[r];
        const QRectF row(14, y - 3, Width - 28, tile + 6);
        p.setPen(Qt::NoPen);
        p.setBrush(r % 2 == 0 ? QColor(255, 255, 255, 18) : QColor(0, 0, 0, 40));
        p.drawRoundedRect(row, 6, 6);
        for (int i = 0; i < 3; ++i)
            PaintPayIcon(p, rule.reels[static_cast<size_t>(i)], QRectF(iconsLeft + i * (tile + gap), y, tile, tile));
        for (int coins = 1; coins <= MaxCoins; ++coins) {
            const QRectF cell(columnsLeft + (coins - 1) * columnWidth, y, columnWidth, tile);
            const QPainterPath amount = TextPath(QString::number(rule.factor * coins), SansFont(18), cell);
            const bool top = r == 0;
            OutlinedPath(p, amount, top ? QColor(0xff, 0xe0, 0x70) : QColor(0xff, 0xf4, 0xff), QColor(0x10, 0x00, 0x12),
                         0.8);
        }
        y += tile + 8;
    }

    p.setPen(QPen(palette::Gold, 1.0));
    p.drawLine(QPointF(26, y + 2), QPointF(Width - 26, y + 2));
    y += 12;
    const QFont font = SansFont(13, false);
    p.setFont(font);
    struct Line {
        LegendMark mark;
        LegendMark second;
        bool two;
        QString text;
    };
    const Line lines[] = {
        {LegendMark::Bonus, LegendMark::Reset, true,
         QStringLiteral("Bonus symbols on the payline fill the bonus meter; Reset empties it.\n"
                        "A full meter of 12 opens the pick-a-box bonus.")},
        {LegendMark::Up, LegendMark::Down, true,
         QStringLiteral("Up and Down symbols nudge their reel one step onto the payline.\n"
                        "Only the middle row pays, and only the highest win.")},
    };
    for (const Line& line : lines) {
        PaintLegendMark(p, line.mark, QRectF(26, y + 4, 24, 24));
        if (line.two) PaintLegendMark(p, line.second, QRectF(54, y + 4, 24, 24));
        p.setPen(QColor(0xf4, 0xe6, 0xf6));
        p.drawText(QRectF(88, y, Width - 100, 34), Qt::AlignLeft | Qt::AlignVCenter, line.text);
        y += 38;
    }
    p.end();
    return chart.convertToFormat(QImage::Format_RGB32);
}

}  // namespace artwork
