// The table's widget, which shows the window's off-screen surface and passes on clicks and keys.
#pragma once

#include <QImage>
#include <QWidget>

#include "drawing/TableSurface.h"

namespace table {

class TableSpeech;

// What the table's widget reports to the window that owns it.
class TableViewClient {
public:
    virtual ~TableViewClient() = default;
    // Positions in client pixels.
    virtual void FormMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) = 0;
    // True when the key was one of the table's.
    virtual bool FormKeyDown(int key, Qt::KeyboardModifiers shift) = 0;
    virtual void TableResized(QSize size) = 0;
    virtual void TableFirstPainted() = 0;
};

// The client area below the menu bar. It shows the window's off-screen
// surface, which holds the table only, at the table's place, and black
// around it: an expose only copies what is already drawn there, never redraws
// the table. It takes the keyboard focus so that the table's keys reach it.
class TableView : public QWidget, public drawing::SurfaceDisplay {
    Q_OBJECT
public:
    TableView(TableViewClient& client, const QImage& surface, QWidget* parent = nullptr);

    // What a screen reader is told of the table, set by TableSpeech::Attach
    // and cleared when the speech goes; the accessible interface reads it.
    void SetSpeech(TableSpeech* speech) { speech_ = speech; }
    TableSpeech* Speech() const { return speech_; }

    // drawing::SurfaceDisplay: areas of the table, shown where it stands.
    void SetTablePlace(QPoint origin, double pixelRatio) override;
    void ShowLater(const QRegion& area) override;
    void ShowNow(const QRegion& area) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    TableViewClient& client_;
    const QImage& surface_;
    QPoint origin_;
    double pixelRatio_ = 1.0;  // surface pixels to a logical pixel
    bool painted_ = false;
    // Insert is held: the keys pressed with it are a screen reader's commands
    // (Orca's modifier), never the game's.
    bool insertHeld_ = false;
    bool followsScreen_ = false;
    TableSpeech* speech_ = nullptr;
};

}  // namespace table
