// One clickable advertisement of the sponsor window: a picture or a caption
// that hands its web address on when clicked.
#pragma once

#include <QLabel>
#include <QString>

namespace dialogs {

// A label that shows the hand pointer and reports a click when it has a
// link. It follows the mouse itself, so passing over it never reaches the
// window underneath. With the keyboard focus, Enter or Space clicks it.
class AdLink : public QLabel {
    Q_OBJECT
public:
    explicit AdLink(QWidget* parent = nullptr);

    void SetLink(const QString& link);
    const QString& Link() const { return link_; }

    // Whether a click would hand an address on: it has one, and something to click.
    bool Pressable() const;
    // What a click does, for the keyboard and a screen reader.
    void Activate();

signals:
    void Clicked(const QString& link);
    void Hovered();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString link_;
    bool pressed_ = false;
};

}  // namespace dialogs
