// The sponsor window: a fixed panel of clickable advertising whose
// every click hands one web address to the browser and leaves it open.
#pragma once

#include <QColor>
#include <QDialog>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <array>

#include "dialogs/AdLink.h"
#include "engine/Random.h"

namespace dialogs {

class SponsorWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr QSize ClientSize{797, 549};
    // The largest sponsor picture file read.
    static constexpr qint64 LargestPicture = 2 * 1024 * 1024;

    // Reseeds the program's generator from the time of day and draws the
    // banner, then the bottom picture. Pictures come from
    // <assetDir>/sponsors/; one that cannot be read leaves its area empty.
    SponsorWindow(engine::Random& random, const QString& assetDir, QWidget* owner = nullptr);

    // The window's controls.
    AdLink BannerImage;
    AdLink BannerCaption;
    AdLink DownloadsImage;
    AdLink DownloadsCaption;
    std::array<AdLink, 5> ProductImages;  // four in the row, one in the right column
    std::array<AdLink, 5> ProductCaptions;
    AdLink HeadingImage;
    std::array<AdLink, 19> SponsorList;
    std::array<AdLink, 4> TileImages;
    std::array<AdLink, 4> TileCaptions;
    AdLink BottomImage;
    AdLink BottomCaption;

    int BannerChoice() const { return banner_; }
    int BottomChoice() const { return bottom_; }
    // The colour the band was last painted in.
    QColor BandColour() const { return band_; }

    // The list entry under the mouse (numbered from 0): underlined red, the others plain black.
    void HighlightListEntry(int entry);
    void ClearHighlight();

    // A picture file as the window shows it, or a null image when it is not
    // a regular file of a sane size that decodes.
    static QImage ReadPicture(const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void FormCreate(const QString& pictureDir);
    void Place(AdLink& link, const QString& text, const QString& address, const QRect& box);
    // The picture read from `path` as drawn at the window's device pixel
    // ratio: its variant for that ratio, at the picture's logical size.
    QPixmap PixmapForScreen(const QImage& picture, const QString& path) const;
    // `name` is what a screen reader calls the picture: its caption.
    void PlacePicture(AdLink& link, const QString& pictureDir, const QString& file, const QString& address, QPoint at,
                      const QString& name);
    // Every advertisement that can be clicked takes the keyboard focus too, in reading order.
    void SetKeyboardOrder();

    engine::Random& random_;
    int banner_ = 0;
    int bottom_ = 0;
    QColor band_;
    bool bandChosen_ = false;
};

}  // namespace dialogs
