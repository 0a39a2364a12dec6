// The table's off-screen surface: where it stands in the client area, its
// painter, and which of its areas are due on the screen. The play draws on it.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QSize>

#include <memory>
#include <optional>

#include "drawing/TablePainter.h"
#include "pictures/PictureSet.h"
#include "pictures/Scaling.h"
#include "play/Screen.h"

namespace drawing {

// The widget that shows the surface. Areas are given in logical pixels of
// the table, from its top-left corner.
class SurfaceDisplay {
public:
    virtual ~SurfaceDisplay() = default;
    // Where the surface's top-left corner stands in the client area, and how
    // many of its pixels make one logical pixel.
    virtual void SetTablePlace(QPoint origin, double pixelRatio) = 0;
    // Shown at the widget's next paint.
    virtual void ShowLater(const QRegion& area) = 0;
    // Painted before returning.
    virtual void ShowNow(const QRegion& area) = 0;
};

// The surface holds the table only; the black beside it is the widget's.
// Until the table is first placed (the symbol sheet loaded), nothing is drawn.
class TableSurface final : public play::Screen {
public:
    explicit TableSurface(const pictures::PictureSet& pictures);

    // The widget comes after the surface it shows.
    void SetDisplay(SurfaceDisplay* display) { display_ = display; }
    // Label fonts are sized for it.
    void SetLogicalDpi(int dpi) { logicalDpi_ = dpi; }

    // The largest 4:3 table the client area holds, centred, drawn at the
    // screen's device pixel ratio. A new layout width or ratio makes a new
    // surface and painter; the caller draws the table again.
    void Place(QSize clientArea, double pixelRatio = 1.0);

    // Points and areas of the client area are in logical pixels.
    // What a click at a point of the client area hits: a button of the
    // table, or the bet-one sign (lit or dim). Areas include both ends.
    std::optional<engine::Button> ButtonAt(QPoint client) const;
    bool BetSignAt(QPoint client) const;
    // Where a button of the table stands in the client area.
    QRect ButtonArea(engine::Button button) const;
    bool RecallButtonAt(QPoint client) const;

    // The table in surface pixels, PixelRatio() of them to a logical pixel.
    const QImage& Image() const { return surface_; }
    double PixelRatio() const { return pixelRatio_; }
    bool Placed() const { return painter_ != nullptr; }
    const pictures::Scaling& Scale() const { return scaling_; }
    QPoint Origin() const { return origin_; }

    // play::Screen
    void DrawTable(const play::TableShown& table) override;
    void DrawChanges(const play::TableShown& before, const play::TableShown& now) override;
    void KeepTable() override;
    bool RestoreTable() override;
    int32_t MotionHeight() const override;
    void HoldDrawings(bool hold) override;
    play::ReelsStopped DrawSpinFrame(int frame, engine::MotionOffsets& offsets,
                                     const engine::ReelStops& stops) override;
    void ShowSpinFrame() override;
    void DrawNudgeStep(int reel, int32_t stop, engine::SlideDirection direction, int step) override;
    void CaptureSettle(int reel) override;
    void DrawSettleStep(int reel, int step) override;

private:
    void MakePainter();
    void DrawLamp(engine::Lamp lamp, bool lit);
    // A changed area of the surface: shown at the next paint, or with the
    // next frame while held.
    void Changed(const QRect& area);
    QRect Logical(const QRect& surfaceArea) const { return pictures::ToLogicalPixels(surfaceArea, pixelRatio_); }

    const pictures::PictureSet& pictures_;
    SurfaceDisplay* display_ = nullptr;
    int logicalDpi_ = 96;
    QImage surface_;
    std::unique_ptr<TablePainter> painter_;
    pictures::Scaling scaling_;
    double pixelRatio_ = 1.0;
    QPoint origin_;
    bool holding_ = false;
    QRegion held_;     // logical
    QRect frameArea_;  // the spin frame drawn last, not yet shown; logical
    QImage kept_;      // the table before a recall
};

}  // namespace drawing
