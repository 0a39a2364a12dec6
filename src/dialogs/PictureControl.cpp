// The picture control: painting its picture, at the screen's resolution where it
// has a variant, and keeping every press on it from the window behind.
#include "PictureControl.h"

#include <QMouseEvent>
#include <QPainter>

#include "dialogs/DialogAccessibility.h"
#include "pictures/PictureVariants.h"

namespace dialogs {
namespace {

void PaintOverlay(QImage& image, const PictureControl::Overlay& overlay)
{
    if (!overlay || image.isNull()) return;
    // A painter on a picture with a device pixel ratio works in logical
    // pixels, so the overlay lands in the same place at every ratio.
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32_Premultiplied) {
        const qreal ratio = image.devicePixelRatio();
        image = image.convertToFormat(QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
    }
    QPainter painter(&image);
    overlay(painter);
}

}  // namespace

PictureControl::PictureControl(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Read as a picture, by the name its window gives it.
    InstallDialogAccessibility();
}

void PictureControl::SetPicture(const QImage& picture, const QString& path, Overlay overlay)
{
    picture_ = picture;
    path_ = path;
    overlay_ = std::move(overlay);
    PaintOverlay(picture_, overlay_);
    // The variant is read when the control is next drawn, for its ratio then.
    variant_ = QImage();
    variantRatio_ = 0;
    resize(picture_.size());
    update();
}

void PictureControl::ReadVariantForRatio()
{
    const double ratio = devicePixelRatioF();
    if (ratio == variantRatio_) return;
    variantRatio_ = ratio;
    variant_ = QImage();
    if (ratio <= 1.0 || path_.isEmpty()) return;
    QImage variant = pictures::PictureForPixelRatio(picture_, path_, ratio);
    if (variant.devicePixelRatio() <= 1.0) return;
    PaintOverlay(variant, overlay_);
    variant_ = variant;
}

QImage PictureControl::ShownPicture()
{
    ReadVariantForRatio();
    return variant_.isNull() ? picture_ : variant_;
}

void PictureControl::paintEvent(QPaintEvent* event)
{
    ReadVariantForRatio();
    QPainter painter(this);
    const QRect area = event->rect();
    if (variant_.isNull()) {
        painter.drawImage(area.topLeft(), picture_, area);
        return;
    }
    // The same logical area from the variant's pixels: one to one when the
    // variant is at the screen's ratio, smoothly resampled otherwise.
    const qreal scale = variant_.devicePixelRatio();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, scale != devicePixelRatioF());
    const QRectF source(area.x() * scale, area.y() * scale, area.width() * scale, area.height() * scale);
    painter.drawImage(QRectF(area), variant_, source);
}

void PictureControl::mousePressEvent(QMouseEvent* event)
{
    // Accepted even without a listener: a press on a picture is never a
    // press on the window's background.
    event->accept();
    if (OnMouseDown) {
        OnMouseDown(event->position().toPoint());
    }
}

}  // namespace dialogs
