// The dialogs' picture control: a picture shown unscaled that keeps mouse presses to itself.
#pragma once

#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <functional>

class QPainter;

namespace dialogs {

// A picture control: shows its picture unscaled at its top-left corner and
// takes the picture's size. A mouse press on it stays with it (it never
// reaches the window behind), whether or not anyone listens.
class PictureControl : public QWidget {
    Q_OBJECT
public:
    // Paints over the picture, in the picture's logical coordinates.
    using Overlay = std::function<void(QPainter& painter)>;

    explicit PictureControl(QWidget* parent = nullptr);

    // The picture at its own size, with its overlay.
    const QImage& Picture() const { return picture_; }
    // Shows `picture`, read from `path` (none: it has no variants), with
    // `overlay` painted over it. Under a device pixel ratio above 1 it is
    // drawn from its variant for that ratio beside `path`, the overlay
    // painted on that too; the control's size stays the picture's.
    void SetPicture(const QImage& picture, const QString& path = QString(), Overlay overlay = {});

    // What is drawn at the control's device pixel ratio: the variant with its
    // overlay and its device pixel ratio set, else Picture().
    QImage ShownPicture();

    // Called with the press position in picture coordinates.
    std::function<void(QPoint position)> OnMouseDown;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Reads the variant for the control's ratio when that ratio is new, so a
    // window moved to another screen is drawn for it.
    void ReadVariantForRatio();

    QImage picture_;
    QString path_;
    Overlay overlay_;
    QImage variant_;           // only while the ratio asks for one
    double variantRatio_ = 0;  // the ratio variant_ was read for; 0 before any
};

}  // namespace dialogs
