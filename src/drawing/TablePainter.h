// The table's drawing: every operation that paints the table onto the
// window's off-screen surface, from the pictures of the pictures layer.
#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <limits>

#include "engine/Host.h"
#include "engine/Reels.h"
#include "pictures/DigitCounter.h"
#include "pictures/PictureSet.h"
#include "pictures/Scaling.h"
#include "pictures/TableLayout.h"

namespace drawing {

// Reel geometry in logical or in surface pixels (origin offset included in ReelLeft).
struct ReelGeometry {
    int CellSize = pictures::layout::CellSize;
    int ReelLeft = pictures::layout::ReelLeft;
    int ReelTop = pictures::layout::ReelTop;
    int ReelPitch = pictures::layout::ReelPitch;
    int MotionHeight = pictures::layout::MotionStripSize.height();
};

// The screen facts the drawing depends on, fixed at start-up.
struct TableMetrics {
    int layoutWidth = pictures::layout::TableSize.width();  // width Scaled() works from (see LayoutWidthFor)
    int originX = 0;                                        // left edge of the table in the surface (centring)
    int logicalDpi = 96;                                    // label font: bold below 100 dpi
    // Surface pixels per logical pixel: above 1 on a high-density screen,
    // where everything keeps its logical size and place and is drawn at the
    // screen's own resolution, from the pictures' larger variants.
    double pixelRatio = 1.0;
};

// Every drawing operation of the table onto one off-screen surface. Each
// returns the rectangle of the surface it changed so the window can mark it
// for update. Layout and clicks are in logical pixels; the surface has
// pixelRatio surface pixels for each (one at ratio 1).
// The pictures drawn again and again (the symbol sheet, the motion strip, the
// button faces, the attention areas) are kept at their size on the surface,
// so that drawing them is a copy; the background is read from its file at
// each full redraw and never held. Pictures changed later need a new painter.
// The surface may be replaced by one of another size meanwhile; nothing is
// drawn outside it. The window's surface holds the table only
// (see pictures::PlaceTable); a larger one is black beside the table.
class TablePainter {
public:
    TablePainter(QImage& surface, const pictures::PictureSet& set, const TableMetrics& metrics);

    // In logical pixels: the motion height is what the reels' offsets count.
    const ReelGeometry& Geometry() const { return geometry_; }
    int Scaled(int n) const { return scaling_.Scaled(n); }
    double PixelRatio() const { return metrics_.pixelRatio; }
    int OriginX() const { return metrics_.originX; }

    // The table's background from its variant for the screen, stretched over
    // the table as a full redraw draws it; never held whole. A surface's owner
    // may draw it on another thread while the painter is being made, since the
    // painter touches its surface only when asked to draw.
    static void DrawBackground(QImage& surface, const pictures::PictureSet& set, const TableMetrics& metrics);
    // The background is on the surface already: the next full redraw keeps
    // it, unless the recall mark is drawn before.
    void BackgroundDrawn();

    // The full redraw of the table, all seven steps.
    QRect FormPaint(const engine::ReelStops& stops, int32_t credits, int32_t betCoins, int32_t bonusPts);

    QRect DrawReel(int reel, int32_t reelStop);
    QRect DrawPayline();
    QRect DrawCreditsCounter(int32_t credits);
    QRect DrawCoinsCounter(int32_t betCoins);  // clears the Winnings field, "Coins" label, digits
    QRect DrawWinningsCounter(int32_t shown);
    QRect DrawWinningsCaption();
    QRect DrawLabels();
    QRect DrawButton(engine::Button button, bool lit);
    QRect DrawBonusMeter(int32_t level);  // level clamped to 0..BonusMeterFull for drawing
    QRect DrawLogoPanel(bool lit);
    QRect DrawTitlePlate(bool lit);
    QRect DrawBetSign(bool lit);

    // One frame of the spin animation (frame counter 1..47) for all three
    // reels; offsets are advanced for reels still blurring. stoppedReel[i] is
    // set for a reel that comes to rest in this frame (it wants the stop sound).
    struct SpinFrame {
        QRect dirty;
        bool stoppedReel[engine::ReelCount] = {false, false, false};
    };
    SpinFrame DrawSpinFrame(int frameCounter, engine::MotionOffsets& offsets, const engine::ReelStops& stops);

    // A motion frame of one reel at a motion offset.
    QRect DrawMotionFrame(int reel, int32_t offset);

    // Nudge slide: step 0..7 of the one-position slide from the current stop.
    QRect DrawNudgeStep(int reel, int32_t reelStop, engine::SlideDirection direction, int step);

    // Settle bounce: CaptureSettle once, then steps 0..7 (offsets 2, 4, 2, 0, -2, -4, -2, 0).
    QRect CaptureSettle(int reel);
    QRect DrawSettleStep(int reel, int step);

    // The recall mark over the logo panel, with the game recalled in `detail`,
    // and where its button that returns to play stands, in logical pixels.
    QRect DrawRecallMark(const QString& detail);
    QRect RecallButton() const;

    // Where reel 0..2 shows its three rows on the surface (empty for another number).
    QRect ReelWindow(int reel) const;

    // The label font for a layout width and logical resolution: 10 points
    // (bold below 100 dpi), 8 points regular below a layout width of 900;
    // points become pixels at the given resolution.
    static QFont LabelFontFor(int layoutWidth, int logicalDpi);
    // How many times that size the labels are drawn, so that they grow and
    // shrink with the table: the 8 points are sized for an 800-wide table,
    // the 10 points for a 1024-wide one (never smaller from 900 up).
    static double CaptionScale(int layoutWidth);

private:
    // Logical pixels as surface pixels.
    int ToDevice(int logical) const { return pictures::ToDevicePixels(logical, metrics_.pixelRatio); }
    // Design coordinates as surface pixels.
    int DeviceScaled(int n) const { return ToDevice(Scaled(n)); }
    // A design rectangle of the table on the surface.
    QRect ScaledRect(const QRect& design) const;
    QRect DrawLabel(const QString& text, int anchorX, bool rightAligned);
    QRect DrawArea(int area, bool lit);
    QRect DrawReelCopy(const QImage& copy, int reel, int offset);
    // The part `sheetPart` of the stretched symbol sheet, drawn at `at`.
    void DrawSheetPart(QPoint at, const QRect& sheetPart);

    QImage& surface_;
    const pictures::PictureSet& pictures_;
    TableMetrics metrics_;
    pictures::Scaling scaling_;
    ReelGeometry geometry_;             // logical
    ReelGeometry device_;               // on the surface
    QSize symbolSheetSize_;             // the symbol sheet's stretched size on the surface
    QImage symbolSheet_;                // stretched to symbolSheetSize_
    bool backgroundOnSurface_ = false;  // see BackgroundDrawn
    QImage motionStrip_;
    QImage reelCopies_[engine::ReelCount];
    QImage settleCopy_[engine::ReelCount];
    QFont labelFont_;
    // Where the Credits counter last began: its longest figures reach into
    // the Winnings field, which a coin placed clears only up to here.
    int creditsLeft_ = std::numeric_limits<int>::max();

    // Button faces at their size on the surface.
    QImage buttonFaces_[3][2];  // bet one, bet five, spin; dim, lit
    // The attention areas. The surface shows each lit (the background's own
    // pixels) or dim, and only the state not shown is held: a change of state
    // swaps the two, so a large screen holds one picture per area, not two.
    struct AttentionArea {
        QImage held;
        bool shownLit = true;
        // The surface shows the state as drawn, with nothing over it; not
        // before the background is down (BackgroundDrawn, FormPaint).
        bool intact = false;
    };
    AttentionArea areas_[3];  // logo panel, title plate, bet sign
    // An area's picture in one state at its size on the surface, made afresh.
    QImage AreaPicture(int area, bool lit) const;
    // Every area lit, as the background lays them down, with its dim picture held.
    void AreasLaidDownLit();
    pictures::CounterDigits counterDigits_[2];  // red, green
};

}  // namespace drawing
