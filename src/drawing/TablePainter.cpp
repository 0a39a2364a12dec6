// The table's drawing apart from the reels: background, counters, labels,
// buttons, bonus meter and attention areas.
#include "TablePainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "engine/BonusMeter.h"
#include "pictures/DigitCounter.h"
#include "pictures/SurfaceCopy.h"
#include "pictures/TableLayout.h"

namespace drawing {

using pictures::Black;
using pictures::CopyUnscaled;
using pictures::CropOpaque;
using pictures::DrawCounter;
using pictures::DrawStretched;
using pictures::FillRect;
using pictures::Stretched;

namespace layout = pictures::layout;

namespace {

// Bet one, bet five and spin, in the order of engine::Button.
constexpr QRect ButtonPlaces[3] = {layout::BetOneButton, layout::BetFiveButton, layout::SpinButton};

int ButtonIndex(engine::Button button)
{
    switch (button) {
    case engine::Button::BetOne: return 0;
    case engine::Button::BetFive: return 1;
    case engine::Button::Spin: break;
    }
    return 2;
}

// Lit from the background's own pixels.
constexpr QRect AreaPlaces[3] = {layout::LogoPanel, layout::TitlePlate, layout::BetSign};

}  // namespace

TablePainter::TablePainter(QImage& surface, const pictures::PictureSet& set, const TableMetrics& metrics)
    : surface_(surface), pictures_(set), metrics_(metrics), scaling_(metrics.layoutWidth)
{
    geometry_.CellSize = Scaled(layout::CellSize);
    geometry_.ReelLeft = Scaled(layout::ReelLeft) + metrics_.originX;
    geometry_.ReelTop = Scaled(layout::ReelTop);
    geometry_.ReelPitch = Scaled(layout::ReelPitch);
    geometry_.MotionHeight = Scaled(pictures_.motionStrip.height());

    const int c = geometry_.CellSize;
    symbolSheetSize_ = QSize(Scaled(pictures_.symbolSheet.width()), Scaled(pictures_.symbolSheet.height()));
    // Only one reel's width of the strip is ever read.
    motionStrip_ =
        Stretched(pictures_.motionStrip, QSize(Scaled(pictures_.motionStrip.width()), geometry_.MotionHeight),
                  QRect(0, 0, c, geometry_.MotionHeight));

    labelFont_ = LabelFontFor(metrics_.layoutWidth, metrics_.logicalDpi);

    // All three buttons take their halves from the bet-one button's size.
    const int w = pictures_.betOneButtonStrip.width();
    const int half = pictures_.betOneButtonStrip.height() / 2;
    const QRect halves[2] = {QRect(0, 0, w, half), QRect(0, half, w, pictures_.betOneButtonStrip.height() - half)};
    const QImage* buttonPictures[3] = {&pictures_.betOneButtonStrip, &pictures_.betFiveButtonStrip,
                                       &pictures_.spinButtonStrip};
    for (int b = 0; b < 3; ++b) {
        for (int state = 0; state < 2; ++state) {
            buttonFaces_[b][state] = CropOpaque(*buttonPictures[b], halves[state]);
        }
    }

    const QImage* dimPictures[3] = {&pictures_.unlitLogoPanel, &pictures_.unlitTitlePlate, &pictures_.unlitBetSign};
    for (int a = 0; a < 3; ++a) {
        areaPictures_[a][0] = *dimPictures[a];
        areaPictures_[a][1] = CropOpaque(pictures_.tableBackground, AreaPlaces[a]);
    }
}

QFont TablePainter::LabelFontFor(int layoutWidth, int logicalDpi)
{
    const int dpi = logicalDpi > 0 ? logicalDpi : 96;
    const bool small = layoutWidth < 900;
    const int points = small ? 8 : 10;
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    // Points to pixels as the system does it, rounded to the nearest pixel;
    // pixel sizes keep the labels the same whatever resolution an image claims.
    font.setPixelSize(std::max(1, (points * dpi + 36) / 72));
    font.setBold(!small && dpi < 100);
    // Labels are redrawn over themselves; without smoothing they stay crisp.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QRect TablePainter::ScaledRect(const QRect& design) const
{
    const int l = Scaled(design.left()) + metrics_.originX;
    const int t = Scaled(design.top());
    return QRect(l, t, Scaled(design.left() + design.width()) + metrics_.originX - l,
                 Scaled(design.top() + design.height()) - t);
}

QRect TablePainter::FormPaint(const engine::ReelStops& stops, int32_t credits, int32_t betCoins, int32_t bonusPts)
{
    // The window's background is black wherever the table's picture ends.
    FillRect(surface_, surface_.rect(), Black);
    const QImage& background = pictures_.tableBackground;
    DrawStretched(surface_, QPoint(metrics_.originX, 0), background,
                  QSize(Scaled(background.width()), Scaled(background.height())));
    for (int reel = 0; reel < engine::ReelCount; ++reel) {
        DrawReel(reel, stops[static_cast<size_t>(reel)]);
    }
    DrawCreditsCounter(credits);
    DrawCoinsCounter(betCoins);
    DrawLabels();
    DrawBonusMeter(bonusPts);
    DrawPayline();
    DrawButton(engine::Button::BetOne, true);
    DrawButton(engine::Button::BetFive, true);
    DrawButton(engine::Button::Spin, true);
    return surface_.rect();
}

QRect TablePainter::DrawCreditsCounter(int32_t credits)
{
    // The longest figures (a sign and ten digits) stop short of the Winnings
    // figure's end, in small cells where the large ones would reach it.
    const QRect changed =
        DrawCounter(surface_, pictures_, metrics_.layoutWidth, credits, Scaled(layout::CreditsRight) + metrics_.originX,
                    Scaled(layout::CounterDigitTop), true, true, Scaled(layout::WinningsRight) + metrics_.originX);
    if (!changed.isEmpty()) creditsLeft_ = changed.left();
    return changed;
}

QRect TablePainter::DrawCoinsCounter(int32_t betCoins)
{
    // The Winnings field goes with every coin placed and every repaint. The
    // large digits are taller than the scaled field, so the field reaches
    // down to their foot: no sliver of the last win may stay behind.
    // The longest Credits figures reach into the field: it is cleared up to them.
    QRect field = ScaledRect(layout::WinningsField);
    const int digitHeight = pictures::DigitCellFor(metrics_.layoutWidth).height();
    field.setBottom(std::max(field.bottom(), Scaled(layout::CounterDigitTop) + digitHeight - 1));
    field.setRight(std::min(field.right(), creditsLeft_ - 1));
    QRect changed = FillRect(surface_, field, Black);
    changed |= DrawLabel(QStringLiteral("Coins"), Scaled(layout::CoinsLeft), false);
    changed |= DrawCounter(surface_, pictures_, metrics_.layoutWidth, betCoins,
                           Scaled(layout::CoinsLeft) + metrics_.originX, Scaled(layout::CounterDigitTop), false, true);
    return changed;
}

QRect TablePainter::DrawWinningsCounter(int32_t shown)
{
    return DrawCounter(surface_, pictures_, metrics_.layoutWidth, shown,
                       Scaled(layout::WinningsRight) + metrics_.originX, Scaled(layout::CounterDigitTop), true, false);
}

QRect TablePainter::DrawWinningsCaption()
{
    return DrawLabel(QStringLiteral("Winnings"), Scaled(layout::WinningsRight), true);
}

QRect TablePainter::DrawLabels()
{
    QRect changed = DrawLabel(QStringLiteral("Credits"), Scaled(layout::CreditsRight), true);
    changed |= DrawLabel(QStringLiteral("Coins"), Scaled(layout::CoinsLeft), false);
    changed |= DrawLabel(QStringLiteral("Winnings"), Scaled(layout::WinningsRight), true);
    return changed;
}

QRect TablePainter::DrawLabel(const QString& text, int anchorX, bool rightAligned)
{
    const QFontMetrics metrics(labelFont_);
    const int width = metrics.horizontalAdvance(text);
    const int x = metrics_.originX + (rightAligned ? anchorX - width : anchorX);
    const int y = Scaled(layout::CounterLabelTop);
    if (surface_.isNull()) {
        return {};
    }
    {
        QPainter painter(&surface_);
        painter.setFont(labelFont_);
        painter.setPen(Qt::white);
        painter.drawText(QPoint(x, y + metrics.ascent()), text);
    }
    const QRect box =
        QRect(x, y, width, metrics.height()) | metrics.boundingRect(text).translated(x, y + metrics.ascent());
    return box.intersected(surface_.rect());
}

QRect TablePainter::DrawButton(engine::Button button, bool lit)
{
    const int b = ButtonIndex(button);
    const QRect target = ScaledRect(ButtonPlaces[b]);
    return DrawStretched(surface_, target.topLeft(), buttonFaces_[b][lit ? 1 : 0], target.size());
}

QRect TablePainter::DrawBonusMeter(int32_t level)
{
    // A saved game may carry any number; only the slices from empty to full exist.
    const int n = std::clamp<int32_t>(level, 0, engine::BonusMeterFull);
    const QSize slice = layout::MeterSliceSize;
    const QRect box = ScaledRect(layout::MeterBox);
    const int left = box.left() + (box.width() - slice.width()) / 2;
    const int top = box.top() + (box.height() - slice.height()) / 2;
    return CopyUnscaled(surface_, QPoint(left, top), pictures_.bonusMeterStrip,
                        QRect(QPoint(0, (engine::BonusMeterFull - n) * slice.height()), slice));
}

QRect TablePainter::DrawArea(int area, bool lit)
{
    const QRect target = ScaledRect(AreaPlaces[area]);
    return DrawStretched(surface_, target.topLeft(), areaPictures_[area][lit ? 1 : 0], target.size());
}

QRect TablePainter::DrawLogoPanel(bool lit)
{
    return DrawArea(0, lit);
}
QRect TablePainter::DrawTitlePlate(bool lit)
{
    return DrawArea(1, lit);
}
QRect TablePainter::DrawBetSign(bool lit)
{
    return DrawArea(2, lit);
}

}  // namespace drawing
