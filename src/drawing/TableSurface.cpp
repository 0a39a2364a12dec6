// The table's surface: placing it, drawing on it through the painter, and
// passing the changed areas to the widget that shows it.
#include "drawing/TableSurface.h"

#include <QPainter>

#include <future>
#include <system_error>

namespace drawing {

namespace {

// Whether a point of the table lies in a click area, both ends included.
bool Hits(const pictures::Scaling& scaling, const pictures::layout::ClickArea& area, QPoint at)
{
    const auto within = [](int value, int low, int high) { return value >= low && value <= high; };
    return within(at.x(), scaling.Scaled(area.left), scaling.Scaled(area.right)) &&
           within(at.y(), scaling.Scaled(area.top), scaling.Scaled(area.bottom));
}

}  // namespace

TableSurface::TableSurface(const pictures::PictureSet& pictures) : pictures_(pictures)
{}

void TableSurface::Place(QSize clientArea, double pixelRatio)
{
    const pictures::TablePlace place = pictures::PlaceTable(clientArea);
    const double ratio = pixelRatio > 0 ? pixelRatio : 1.0;
    const bool newLayout = !painter_ || place.scaling.LayoutWidth() != scaling_.LayoutWidth() || ratio != pixelRatio_;
    const bool moved = newLayout || place.origin != origin_;
    scaling_ = place.scaling;
    pixelRatio_ = ratio;
    origin_ = place.origin;
    if (newLayout) MakePainter();
    if (moved && display_) display_->SetTablePlace(origin_, pixelRatio_);
}

std::optional<engine::Button> TableSurface::ButtonAt(QPoint client) const
{
    // Hit areas move with the centred table.
    namespace layout = pictures::layout;
    const QPoint at = client - origin_;
    if (Hits(scaling_, layout::ClickAreaOf(layout::BetOneButton), at)) return engine::Button::BetOne;
    if (Hits(scaling_, layout::ClickAreaOf(layout::BetFiveButton), at)) return engine::Button::BetFive;
    if (Hits(scaling_, layout::ClickAreaOf(layout::SpinButton), at)) return engine::Button::Spin;
    return std::nullopt;
}

QRect TableSurface::ButtonArea(engine::Button button) const
{
    namespace layout = pictures::layout;
    const layout::ClickArea area = layout::ClickAreaOf(button == engine::Button::BetOne    ? layout::BetOneButton
                                                       : button == engine::Button::BetFive ? layout::BetFiveButton
                                                                                           : layout::SpinButton);
    return QRect(QPoint(scaling_.Scaled(area.left), scaling_.Scaled(area.top)),
                 QPoint(scaling_.Scaled(area.right), scaling_.Scaled(area.bottom)))
        .translated(origin_);
}

bool TableSurface::BetSignAt(QPoint client) const
{
    return Hits(scaling_, pictures::layout::BetSignClickArea, client - origin_);
}

bool TableSurface::RecallButtonAt(QPoint client) const
{
    return painter_ && painter_->RecallButton().contains(client - origin_);
}

void TableSurface::MakePainter()
{
    // The old painter and surface go first, so that the largest screens never
    // hold two tables' worth of pictures at once.
    painter_.reset();
    surface_ = QImage();
    const QSize table = scaling_.TableSize();
    surface_ = QImage(pictures::ToDevicePixels(table.width(), pixelRatio_),
                      pictures::ToDevicePixels(table.height(), pixelRatio_), QImage::Format_RGB32);
    surface_.fill(Qt::black);
    TableMetrics metrics;
    metrics.layoutWidth = scaling_.LayoutWidth();
    metrics.logicalDpi = logicalDpi_;
    metrics.pixelRatio = pixelRatio_;
    // On a large screen the background is the longest picture to read: it is
    // drawn on another thread while the painter makes its other pictures, or
    // after them without a thread to spare.
    std::future<void> background;
    try {
        background = std::async(std::launch::async,
                                [this, metrics] { TablePainter::DrawBackground(surface_, pictures_, metrics); });
    } catch (const std::system_error&) {}
    painter_ = std::make_unique<TablePainter>(surface_, pictures_, metrics);
    if (background.valid()) {
        background.get();
    } else {
        TablePainter::DrawBackground(surface_, pictures_, metrics);
    }
    painter_->BackgroundDrawn();
}

void TableSurface::Changed(const QRect& area)
{
    if (!display_ || area.isEmpty()) return;
    if (holding_) {
        held_ += Logical(area);
    } else {
        display_->ShowLater(Logical(area));
    }
}

void TableSurface::DrawTable(const play::TableShown& table)
{
    if (!painter_) return;
    // The full redraw shows every button and lit area lit and the Winnings
    // field empty; what the description has otherwise is drawn over it.
    Changed(painter_->FormPaint(table.stops, table.credits, table.coins, table.meter));
    play::TableShown drawn = table;
    drawn.winnings = -1;
    drawn.buttons = {true, true, true};
    drawn.lamps = {true, true, true};
    DrawChanges(drawn, table);
    if (!table.recallMark.empty()) Changed(painter_->DrawRecallMark(QString::fromStdString(table.recallMark)));
}

void TableSurface::DrawChanges(const play::TableShown& before, const play::TableShown& now)
{
    if (!painter_) return;
    if (now.credits != before.credits) Changed(painter_->DrawCreditsCounter(now.credits));
    // The Coins counter wipes the Winnings field; a figure shown after it is drawn again.
    const bool coinsDrawn = now.coins != before.coins;
    if (coinsDrawn) Changed(painter_->DrawCoinsCounter(now.coins));
    if (now.winnings >= 0 && (now.winnings != before.winnings || coinsDrawn)) {
        // The caption comes with the first figure of a count-up.
        if (before.winnings < 0 || coinsDrawn) Changed(painter_->DrawWinningsCaption());
        Changed(painter_->DrawWinningsCounter(now.winnings));
    }
    for (const engine::Button button : {engine::Button::BetOne, engine::Button::BetFive, engine::Button::Spin}) {
        if (now.Lit(button) != before.Lit(button)) Changed(painter_->DrawButton(button, now.Lit(button)));
    }
    for (const engine::Lamp lamp : {engine::Lamp::LogoPanel, engine::Lamp::TitlePlate, engine::Lamp::BetSign}) {
        if (now.Lit(lamp) != before.Lit(lamp)) DrawLamp(lamp, now.Lit(lamp));
    }
    if (now.meter != before.meter) Changed(painter_->DrawBonusMeter(now.meter));
}

void TableSurface::DrawLamp(engine::Lamp lamp, bool lit)
{
    switch (lamp) {
    case engine::Lamp::LogoPanel: Changed(painter_->DrawLogoPanel(lit)); return;
    case engine::Lamp::TitlePlate: Changed(painter_->DrawTitlePlate(lit)); return;
    case engine::Lamp::BetSign: Changed(painter_->DrawBetSign(lit)); return;
    }
}

void TableSurface::KeepTable()
{
    kept_ = surface_.copy();
}

bool TableSurface::RestoreTable()
{
    const bool same = !kept_.isNull() && kept_.size() == surface_.size();
    // Copied into the surface itself: the widget and the painter hold it.
    if (same) {
        QPainter(&surface_).drawImage(0, 0, kept_);
        Changed(surface_.rect());
    }
    kept_ = QImage();
    return same;
}

int32_t TableSurface::MotionHeight() const
{
    return painter_ ? painter_->Geometry().MotionHeight : 0;
}

void TableSurface::HoldDrawings(bool hold)
{
    holding_ = hold;
    if (hold) return;
    if (display_ && !held_.isEmpty()) display_->ShowLater(held_);
    held_ = QRegion();
}

play::ReelsStopped TableSurface::DrawSpinFrame(int frame, engine::MotionOffsets& offsets,
                                               const engine::ReelStops& stops)
{
    play::ReelsStopped stopped{};
    if (!painter_) return stopped;
    const TablePainter::SpinFrame drawn = painter_->DrawSpinFrame(frame, offsets, stops);
    frameArea_ = Logical(drawn.dirty);
    for (int reel = 0; reel < engine::ReelCount; ++reel) stopped[static_cast<size_t>(reel)] = drawn.stoppedReel[reel];
    return stopped;
}

void TableSurface::ShowSpinFrame()
{
    const QRegion area = held_ + frameArea_;
    held_ = QRegion();
    frameArea_ = QRect();
    if (display_ && !area.isEmpty()) display_->ShowNow(area);
}

void TableSurface::DrawNudgeStep(int reel, int32_t stop, engine::SlideDirection direction, int step)
{
    if (painter_) Changed(painter_->DrawNudgeStep(reel, stop, direction, step));
}

void TableSurface::CaptureSettle(int reel)
{
    if (painter_) Changed(painter_->CaptureSettle(reel));
}

void TableSurface::DrawSettleStep(int reel, int step)
{
    if (painter_) Changed(painter_->DrawSettleStep(reel, step));
}

}  // namespace drawing
