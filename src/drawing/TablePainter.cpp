// The table's drawing apart from the reels: background, counters, labels,
// buttons, bonus meter and attention areas.
#include "TablePainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "engine/BonusMeter.h"
#include "pictures/DigitCounter.h"
#include "pictures/PictureVariants.h"
#include "pictures/SurfaceCopy.h"
#include "pictures/TableLayout.h"

namespace drawing {

using pictures::Black;
using pictures::CopyUnscaled;
using pictures::CropOpaque;
using pictures::DrawCounter;
using pictures::DrawnScale;
using pictures::DrawStretched;
using pictures::FillRect;
using pictures::PictureSet;
using pictures::Stretched;
using pictures::SwapUnscaled;

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

// Lit from the background's own pixels; dim from their own pictures.
constexpr QRect AreaPlaces[3] = {layout::LogoPanel, layout::TitlePlate, layout::BetSign};
QImage PictureSet::*const DimPictures[3] = {&PictureSet::unlitLogoPanel, &PictureSet::unlitTitlePlate,
                                            &PictureSet::unlitBetSign};

// How many times its picture's size a variant is.
int VariantScale(const QImage& variant, const QImage& picture)
{
    return picture.width() > 0 ? std::max(1, variant.width() / picture.width()) : 1;
}

QRect Times(const QRect& rect, int scale)
{
    return QRect(rect.topLeft() * scale, rect.size() * scale);
}

}  // namespace

TablePainter::TablePainter(QImage& surface, const pictures::PictureSet& set, const TableMetrics& metrics)
    : surface_(surface), pictures_(set), metrics_(metrics), scaling_(metrics.layoutWidth)
{
    geometry_.CellSize = Scaled(layout::CellSize);
    geometry_.ReelLeft = Scaled(layout::ReelLeft) + metrics_.originX;
    geometry_.ReelTop = Scaled(layout::ReelTop);
    geometry_.ReelPitch = Scaled(layout::ReelPitch);
    geometry_.MotionHeight = Scaled(pictures_.motionStrip.height());
    device_.CellSize = DeviceScaled(layout::CellSize);
    device_.ReelLeft = DeviceScaled(layout::ReelLeft) + metrics_.originX;
    device_.ReelTop = DeviceScaled(layout::ReelTop);
    device_.ReelPitch = DeviceScaled(layout::ReelPitch);
    device_.MotionHeight = ToDevice(geometry_.MotionHeight);

    const int c = device_.CellSize;
    // The sheet is kept stretched as the reels show it: at the screen's
    // resolution it is smaller than its variant, and cells are plain copies.
    const QImage& sheet = pictures_.symbolSheet;
    symbolSheetSize_ = QSize(DeviceScaled(sheet.width()), DeviceScaled(sheet.height()));
    symbolSheet_ =
        Stretched(pictures_.ForScale(&PictureSet::symbolSheet, DrawnScale(sheet, symbolSheetSize_)), symbolSheetSize_);
    // Only one reel's width of the strip is ever read.
    const QImage& motion = pictures_.motionStrip;
    const QSize motionSize(DeviceScaled(motion.width()), device_.MotionHeight);
    motionStrip_ = Stretched(pictures_.ForScale(&PictureSet::motionStrip, DrawnScale(motion, motionSize)), motionSize,
                             QRect(0, 0, c, device_.MotionHeight));

    labelFont_ = LabelFontFor(metrics_.layoutWidth, metrics_.logicalDpi);
    // The captions grow with the counters.
    labelFont_.setPixelSize(std::max(1, qRound(labelFont_.pixelSize() * CaptionScale(metrics_.layoutWidth))));
    labelFont_.setPixelSize(std::max(1, ToDevice(labelFont_.pixelSize())));

    // All three buttons take their halves from the bet-one button's size,
    // each from its own picture's variant, and are kept as drawn: blinking
    // is then a plain copy.
    const int w = pictures_.betOneButtonStrip.width();
    const int half = pictures_.betOneButtonStrip.height() / 2;
    const QRect halves[2] = {QRect(0, 0, w, half), QRect(0, half, w, pictures_.betOneButtonStrip.height() - half)};
    QImage PictureSet::*const buttonPictures[3] = {&PictureSet::betOneButtonStrip, &PictureSet::betFiveButtonStrip,
                                                   &PictureSet::spinButtonStrip};
    for (int b = 0; b < 3; ++b) {
        const QImage& picture = pictures_.*buttonPictures[b];
        const QSize face = ScaledRect(ButtonPlaces[b]).size();
        const double drawn = DrawnScale(CropOpaque(picture, halves[0]), face);
        const QImage variant = pictures_.ForScale(buttonPictures[b], drawn);
        const int scale = VariantScale(variant, picture);
        for (int state = 0; state < 2; ++state) {
            buttonFaces_[b][state] = Stretched(CropOpaque(variant, Times(halves[state], scale)), face);
        }
    }

    // The counters' cells grow with the table, each kept at its size on the
    // surface and copied one for one.
    const double cellScale = pictures::TableCellScale(metrics_.layoutWidth);
    for (const bool green : {false, true}) {
        counterDigits_[green ? 1 : 0] =
            pictures::CounterDigitsOf(pictures_, metrics_.layoutWidth, green, metrics_.pixelRatio, cellScale);
    }
}

void TablePainter::BackgroundDrawn()
{
    backgroundOnSurface_ = true;
    AreasLaidDownLit();
}

void TablePainter::DrawBackground(QImage& surface, const pictures::PictureSet& set, const TableMetrics& metrics)
{
    const pictures::Scaling scaling(metrics.layoutWidth);
    const auto deviceScaled = [&](int n) { return pictures::ToDevicePixels(scaling.Scaled(n), metrics.pixelRatio); };
    const QImage& background = set.tableBackground;
    set.DrawForScale(&pictures::PictureSet::tableBackground, surface, QPoint(metrics.originX, 0),
                     QSize(deviceScaled(background.width()), deviceScaled(background.height())));
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

double TablePainter::CaptionScale(int layoutWidth)
{
    if (layoutWidth < 900) return layoutWidth / double(layout::TableSize.width());
    return std::max(1.0, layoutWidth / 1024.0);
}

QRect TablePainter::ScaledRect(const QRect& design) const
{
    const int l = DeviceScaled(design.left()) + metrics_.originX;
    const int t = DeviceScaled(design.top());
    return QRect(l, t, DeviceScaled(design.left() + design.width()) + metrics_.originX - l,
                 DeviceScaled(design.top() + design.height()) - t);
}

QRect TablePainter::FormPaint(const engine::ReelStops& stops, int32_t credits, int32_t betCoins, int32_t bonusPts)
{
    // The background's variant is read for each full redraw and never kept:
    // on a large screen it is the largest picture there is. The window's
    // background is black wherever the table's picture ends; the lit areas
    // are the background's pixels as drawn. Areas drawn dim over a kept
    // background are lit again first, which leaves their dim pictures held.
    AreasLaidDownLit();
    if (backgroundOnSurface_) {
        backgroundOnSurface_ = false;
    } else {
        FillRect(surface_, surface_.rect(), Black);
        DrawBackground(surface_, pictures_, metrics_);
    }
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
    const QRect changed = DrawCounter(
        surface_, counterDigits_[1], credits, DeviceScaled(layout::CreditsRight) + metrics_.originX,
        DeviceScaled(layout::CounterDigitTop), true, DeviceScaled(layout::WinningsRight) + metrics_.originX);
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
    field.setBottom(
        std::max(field.bottom(), DeviceScaled(layout::CounterDigitTop) + counterDigits_[1].cell.height() - 1));
    field.setRight(std::min(field.right(), creditsLeft_ - 1));
    QRect changed = FillRect(surface_, field, Black);
    changed |= DrawLabel(QStringLiteral("Coins"), DeviceScaled(layout::CoinsLeft), false);
    changed |= DrawCounter(surface_, counterDigits_[1], betCoins, DeviceScaled(layout::CoinsLeft) + metrics_.originX,
                           DeviceScaled(layout::CounterDigitTop), false);
    return changed;
}

QRect TablePainter::DrawWinningsCounter(int32_t shown)
{
    return DrawCounter(surface_, counterDigits_[0], shown, DeviceScaled(layout::WinningsRight) + metrics_.originX,
                       DeviceScaled(layout::CounterDigitTop), true);
}

QRect TablePainter::DrawWinningsCaption()
{
    return DrawLabel(QStringLiteral("Winnings"), DeviceScaled(layout::WinningsRight), true);
}

QRect TablePainter::DrawLabels()
{
    QRect changed = DrawLabel(QStringLiteral("Credits"), DeviceScaled(layout::CreditsRight), true);
    changed |= DrawLabel(QStringLiteral("Coins"), DeviceScaled(layout::CoinsLeft), false);
    changed |= DrawLabel(QStringLiteral("Winnings"), DeviceScaled(layout::WinningsRight), true);
    return changed;
}

QRect TablePainter::DrawLabel(const QString& text, int anchorX, bool rightAligned)
{
    const QFontMetrics metrics(labelFont_);
    const int width = metrics.horizontalAdvance(text);
    const int x = metrics_.originX + (rightAligned ? anchorX - width : anchorX);
    const int y = DeviceScaled(layout::CounterLabelTop);
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
    // The slice fills its box at every size, as it does on the 800-wide
    // table, read from the strip's variant for that size and never held.
    const QRect box = ScaledRect(layout::MeterBox);
    const int slice = layout::MeterSliceSize.height();
    return pictures_.DrawRowsForScale(&PictureSet::bonusMeterStrip, surface_, box.topLeft(), box.size(),
                                      (engine::BonusMeterFull - n) * slice, slice);
}

QImage TablePainter::AreaPicture(int area, bool lit) const
{
    const QRect target = ScaledRect(AreaPlaces[area]);
    if (!lit) {
        const QImage& dim = pictures_.*DimPictures[area];
        return Stretched(pictures_.ForScale(DimPictures[area], DrawnScale(dim, target.size())), target.size());
    }
    // The background's pixels there, as a full redraw lays them down.
    QImage part(target.size(), QImage::Format_RGB32);
    if (part.isNull()) return part;
    part.fill(Black);
    const QImage& background = pictures_.tableBackground;
    pictures_.DrawForScale(&PictureSet::tableBackground, part, QPoint(metrics_.originX, 0) - target.topLeft(),
                           QSize(DeviceScaled(background.width()), DeviceScaled(background.height())));
    return part;
}

void TablePainter::AreasLaidDownLit()
{
    for (int a = 0; a < 3; ++a) {
        AttentionArea& area = areas_[a];
        if (area.intact && !area.shownLit) {
            SwapUnscaled(surface_, ScaledRect(AreaPlaces[a]).topLeft(), area.held);
        } else if (!area.intact) {
            area.held = AreaPicture(a, false);
        }
        area.shownLit = true;
        area.intact = true;
    }
}

QRect TablePainter::DrawArea(int a, bool lit)
{
    AttentionArea& area = areas_[a];
    const QRect target = ScaledRect(AreaPlaces[a]);
    if (!area.intact) {
        // Something was drawn over it, or the background is not down yet.
        DrawStretched(surface_, target.topLeft(), AreaPicture(a, lit), target.size());
        area.held = AreaPicture(a, !lit);
    } else if (area.shownLit != lit) {
        SwapUnscaled(surface_, target.topLeft(), area.held);
    }
    area.shownLit = lit;
    area.intact = true;
    return target.intersected(surface_.rect());
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
