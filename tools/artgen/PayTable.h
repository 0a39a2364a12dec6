// The pay table as pictures: each rule's three reels drawn as small tiles and its
// payout per coin, shared by the pay glass on the table and the pay chart.
#pragma once

#include <QPainter>
#include <array>

namespace artwork {

enum class PayIcon { Plum, Seven, TripleBar, DoubleBar, SingleBar, AnyBar, Anything };

struct PayRule {
    std::array<PayIcon, 3> reels;
    int factor;  // credits per coin bet
};

// The eight rules in the order they are tried; the first that matches pays.
const std::array<PayRule, 8>& PayRules();

// One reel of a rule as a small tile of reel face.
void PaintPayIcon(QPainter& painter, PayIcon icon, const QRectF& tile);

// The pay glass at the side of the table: the rules and a line each for the
// Bonus, Reset, Up and Down symbols.
void PaintPayGlass(QPainter& painter, const QRectF& area);

// The small legend symbols: a badge or the Reset sign inside `box`.
enum class LegendMark { Bonus, Reset, Up, Down };
void PaintLegendMark(QPainter& painter, LegendMark mark, const QRectF& box);

}  // namespace artwork
