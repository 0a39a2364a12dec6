// The pay rules as the pictures show them, their payouts taken from the game's own rules; the rule
// tiles, the legend marks and the pay glass.
#include "PayTable.h"

#include <QPainterPath>

#include "Paint.h"
#include "Palette.h"
#include "Symbols.h"
#include "engine/PayTable.h"
#include "pictures/TableLayout.h"

namespace artwork {

namespace layout = pictures::layout;

const std::array<PayRule, 8>& PayRules()
{
    using I = PayIcon;
    using R = engine::PayRule;
    // The payouts come from the rules themselves, so the chart can never disagree with a spin.
    static const std::array<PayRule, 8> rules = {{
        {{I::Plum, I::Plum, I::Plum}, engine::PayFactor(R::ThreeSymbol0)},
        {{I::Seven, I::Seven, I::Seven}, engine::PayFactor(R::ThreeSymbol1)},
        {{I::Plum, I::Plum, I::Anything}, engine::PayFactor(R::TwoSymbol0)},
        {{I::TripleBar, I::TripleBar, I::TripleBar}, engine::PayFactor(R::ThreeSymbol2)},
        {{I::DoubleBar, I::DoubleBar, I::DoubleBar}, engine::PayFactor(R::ThreeSymbol3)},
        {{I::SingleBar, I::SingleBar, I::SingleBar}, engine::PayFactor(R::ThreeSymbol4)},
        {{I::AnyBar, I::AnyBar, I::AnyBar}, engine::PayFactor(R::MixedBars)},
        {{I::Plum, I::Anything, I::Anything}, engine::PayFactor(R::OneSymbol0)},
    }};
    return rules;
}

void PaintPayIcon(QPainter& p, PayIcon icon, const QRectF& tile)
{
    p.save();
    QPainterPath frame;
    frame.addRoundedRect(tile, tile.width() * 0.12, tile.width() * 0.12);
    p.setClipPath(frame);
    PaintReelFace(p, tile);
    p.setClipping(false);
    const qreal scale = tile.width() / layout::CellSize;
    p.translate(tile.topLeft());
    p.scale(scale, scale);
    switch (icon) {
    case PayIcon::Plum: PaintSymbol(p, CellPlum); break;
    case PayIcon::Seven: PaintSymbol(p, CellSeven); break;
    case PayIcon::TripleBar: PaintSymbol(p, CellTripleBar); break;
    case PayIcon::DoubleBar: PaintSymbol(p, CellDoubleBar); break;
    case PayIcon::SingleBar: PaintSymbol(p, CellSingleBar); break;
    case PayIcon::AnyBar: {
        // Any of the three bars: one of each, fanned.
        p.save();
        p.translate(0, 10);
        p.scale(1.0, 0.86);
        PaintSymbol(p, CellSingleBar);
        p.restore();
        const QPainterPath word = TextPath(QStringLiteral("ANY"), CondensedFont(19), QRectF(0, 4, 76, 20));
        OutlinedPath(p, word, palette::Plum, palette::ReelFace, 1.0);
        break;
    }
    case PayIcon::Anything: {
        const QPainterPath word = TextPath(QStringLiteral("ANY"), CondensedFont(24), QRectF(0, 0, 76, 76));
        OutlinedPath(p, word, QColor(0x8a, 0x7a, 0x6a), Qt::transparent, 0);
        break;
    }
    }
    p.restore();
    p.save();
    p.setPen(QPen(QColor(0x20, 0x08, 0x24), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(tile, tile.width() * 0.12, tile.width() * 0.12);
    p.restore();
}

void PaintLegendMark(QPainter& p, LegendMark mark, const QRectF& box)
{
    const QPointF c = box.center();
    const qreal r = std::min(box.width(), box.height()) / 2 - 1;
    switch (mark) {
    case LegendMark::Bonus: PaintBadge(p, Badge::Bonus, c, r); break;
    case LegendMark::Up: PaintBadge(p, Badge::Up, c, r); break;
    case LegendMark::Down: PaintBadge(p, Badge::Down, c, r); break;
    case LegendMark::Reset: {
        p.save();
        p.translate(box.topLeft());
        const qreal s = box.width() / layout::CellSize;
        p.scale(s, s);
        PaintCell(p, CellReset, false);
        p.restore();
        break;
    }
    }
}

void PaintPayGlass(QPainter& p, const QRectF& area)
{
    p.save();
    // A framed glass panel of its own, hung beside the cabinet.
    ChromeRing(p, area, 3, 10);
    GoldRing(p, area.adjusted(3, 3, -3, -3), 2.5, 8);
    const QRectF glass = area.adjusted(5.5, 5.5, -5.5, -5.5);
    QLinearGradient fill(glass.topLeft(), glass.bottomLeft());
    fill.setColorAt(0.0, QColor(0x3a, 0x0a, 0x44));
    fill.setColorAt(1.0, QColor(0x16, 0x02, 0x1c));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(glass, 6, 6);

    const QPainterPath title = TextPath(QStringLiteral("PAYS PER COIN"), CondensedFont(17),
                                        QRectF(glass.left(), glass.top() + 8, glass.width(), 18));
    OutlinedPath(p, title, GoldGradient(QPointF(0, glass.top() + 8), QPointF(0, glass.top() + 26)),
                 QColor(0x10, 0x00, 0x12), 0.8);
    p.setPen(QPen(palette::Gold, 1.0));
    p.drawLine(QPointF(glass.left() + 14, glass.top() + 33), QPointF(glass.right() - 14, glass.top() + 33));

    const qreal tile = 34, gap = 3;
    qreal y = glass.top() + 42;
    const qreal left = glass.left() + 8;
    for (const PayRule& rule : PayRules()) {
        for (int i = 0; i < 3; ++i)
            PaintPayIcon(p, rule.reels[static_cast<size_t>(i)], QRectF(left + i * (tile + gap), y, tile, tile));
        const QPainterPath amount =
            TextPath(QString::number(rule.factor), SansFont(rule.factor >= 1000 ? 17 : 18),
                     QRectF(left + 3 * (tile + gap), y, glass.right() - 8 - left - 3 * (tile + gap), tile),
                     Qt::AlignRight | Qt::AlignVCenter);
        OutlinedPath(p, amount, rule.factor >= 250 ? QColor(0xff, 0xe0, 0x70) : QColor(0xff, 0xf4, 0xff),
                     QColor(0x10, 0x00, 0x12), 0.8);
        y += tile + 10;
    }

    p.setPen(QPen(palette::Gold, 1.0));
    p.drawLine(QPointF(glass.left() + 14, y), QPointF(glass.right() - 14, y));
    y += 10;
    struct Line {
        LegendMark mark;
        QString text;
    };
    const Line lines[] = {
        {LegendMark::Bonus, QStringLiteral("on the payline fills\nthe meter; when full,\npick a prize box")},
        {LegendMark::Reset, QStringLiteral("on the payline\nempties the meter")},
        {LegendMark::Up, QStringLiteral("nudges the reel\nup onto the line")},
        {LegendMark::Down, QStringLiteral("nudges the reel\ndown onto the line")},
    };
    const QFont font = CondensedFont(11.5, false);
    for (const Line& line : lines) {
        const qreal h = line.text.count(QLatin1Char('\n')) >= 2 ? 42 : 30;
        PaintLegendMark(p, line.mark, QRectF(left + 2, y + h / 2 - 13, 26, 26));
        p.setPen(QColor(0xf4, 0xe6, 0xf6));
        p.setFont(font);
        p.drawText(QRectF(left + 36, y, glass.right() - left - 40, h), Qt::AlignLeft | Qt::AlignVCenter, line.text);
        y += h + 6;
    }
    p.restore();
}

}  // namespace artwork
