// One clickable advertisement of the sponsor window: a picture or a caption
// that hands its web address on when clicked.
#pragma once

#include <QLabel>
#include <QString>

namespace dialogs {

// A label that shows the hand pointer and reports a click when it has a
// link. It follows the mouse itself, so passing over it never reaches the
// window underneath.
class AdLink : public QLabel {
    Q_OBJECT
public:
    explicit AdLink(QWidget* parent = nullptr);

    void SetLink(const QString& link);
    const QString& Link() const { return link_; }

signals:
    void Clicked(const QString& link);
    void Hovered();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QString link_;
    bool pressed_ = false;
};

}  // namespace dialogs
