// The dialogs' picture control: a picture shown unscaled that keeps mouse presses to itself.
#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <functional>

namespace dialogs {

// A picture control: shows its picture unscaled at its top-left corner and
// takes the picture's size. A mouse press on it stays with it (it never
// reaches the window behind), whether or not anyone listens.
class TImage : public QWidget {
    Q_OBJECT
public:
    explicit TImage(QWidget* parent = nullptr);

    const QImage& Picture() const { return picture_; }
    void SetPicture(const QImage& picture);

    // Called with the press position in picture coordinates.
    std::function<void(QPoint position)> OnMouseDown;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage picture_;
};

}  // namespace dialogs
