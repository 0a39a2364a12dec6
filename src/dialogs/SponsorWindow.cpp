// The sponsor window: its layout in pixels, the random banner and bottom
// picture, the colour band, the hover highlight of the list and the clicks.
#include "dialogs/SponsorWindow.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include <span>
#include <vector>

#include "dialogs/CabinetLook.h"
#include "dialogs/FileContents.h"
#include "dialogs/KeyboardFocusFrame.h"
#include "pictures/PictureVariants.h"
#include "web/Sponsors.h"
#include "web/WebLinks.h"

namespace dialogs {

namespace {

const QColor LinkBlue(0, 0, 255);
constexpr QRect BannerArea(174, 7, 468, 60);
constexpr int ProductRowTop = 200;
constexpr std::array<int, 4> ProductLefts{176, 296, 416, 536};
constexpr int ListLeft = 8;
constexpr int ListTop = 232;
constexpr int ListPitch = 16;
constexpr std::array<QPoint, 4> TilePositions{QPoint(176, 320), QPoint(296, 344), QPoint(416, 344), QPoint(536, 344)};
constexpr std::array<int, 4> TileCaptionLefts{176, 288, 416, 536};
constexpr int BottomTop = 448;

// The colour band behind the free downloads and the product row: from 8
// left of the first product tile to 8 right of the fourth, y 106 to 304.
constexpr QRect BandArea(168, 106, 644 - 168, 304 - 106);

// The captions' font, 13 pixels high, or smaller where the text would
// otherwise be cut off at the edges of its box.
QFont LinkFont(const QString& text, int width)
{
    QFont font(QStringList{QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")});
    font.setUnderline(true);
    for (int pixels = 13; pixels >= 9; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).horizontalAdvance(text) <= width) break;
    }
    return font;
}

// One font for a row of captions: the largest of LinkFont's sizes that fits
// each caption of the row in its own box.
void ShareRowFont(std::span<AdLink> captions)
{
    QFont font = captions.front().font();
    for (const AdLink& caption : captions) {
        if (caption.font().pixelSize() < font.pixelSize()) font = caption.font();
    }
    for (AdLink& caption : captions) caption.setFont(font);
}

QColor BandColourOf(int pick)
{
    switch (pick) {
    case 0: return QColor(0, 255, 255);
    case 1: return QColor(255, 0, 0);
    case 2: return QColor(255, 255, 0);
    default: return QColor(255, 255, 255);
    }
}

void SetTextColour(QWidget& widget, const QColor& colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

}  // namespace

SponsorWindow::SponsorWindow(engine::Random& random, const QString& assetDir, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      BannerImage(this),
      BannerCaption(this),
      DownloadsImage(this),
      DownloadsCaption(this),
      HeadingImage(this),
      BottomImage(this),
      BottomCaption(this),
      random_(random)
{
    for (auto* set : {&ProductImages, &ProductCaptions}) {
        for (AdLink& link : *set) link.setParent(this);
    }
    for (AdLink& link : SponsorList) link.setParent(this);
    for (auto* set : {&TileImages, &TileCaptions}) {
        for (AdLink& link : *set) link.setParent(this);
    }

    // White, laid out in pixels, the window's own font for the list.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
    setAutoFillBackground(true);
    QFont font(QStringList{QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(11);
    setFont(font);
    setMouseTracking(true);
    setFixedSize(ClientSize);

    FormCreate(assetDir + QStringLiteral("sponsors/"));

    if (QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

QImage SponsorWindow::ReadPicture(const QString& path)
{
    return ReadPictureFile(path, LargestPicture, 16);  // 16 MB of pixels: far beyond any advertisement
}

QPixmap SponsorWindow::PixmapForScreen(const QImage& picture, const QString& path) const
{
    // Variants are read like the pictures themselves, with the same limits.
    return QPixmap::fromImage(pictures::PictureForPixelRatio(picture, path, devicePixelRatioF(), &ReadPicture));
}

void SponsorWindow::Place(AdLink& link, const QString& text, const QString& address, const QRect& box)
{
    link.setText(text);
    link.setAlignment(Qt::AlignCenter);
    link.setFont(LinkFont(text, box.width()));
    SetTextColour(link, LinkBlue);
    link.SetLink(address);
    link.setGeometry(box);
    connect(&link, &AdLink::Clicked, this, [this](const QString& target) { web::OpenWebPage(target, this); });
}

void SponsorWindow::PlacePicture(AdLink& link, const QString& pictureDir, const QString& file, const QString& address,
                                 QPoint at, const QString& name)
{
    const QString path = pictureDir + file;
    const QImage picture = ReadPicture(path);
    link.setAccessibleName(name);
    link.move(at);
    if (!picture.isNull()) {
        link.setPixmap(PixmapForScreen(picture, path));
        link.resize(picture.size());
    } else {
        link.resize(0, 0);  // nothing to show, nothing to click
    }
    link.SetLink(address);
    if (!address.isEmpty()) {
        connect(&link, &AdLink::Clicked, this, [this](const QString& target) { web::OpenWebPage(target, this); });
    }
}

void SponsorWindow::FormCreate(const QString& pictureDir)
{
    const web::SponsorSets& ads = web::Sponsors();

    // A new window, new choices: the banner is drawn before the bottom picture.
    random_.SeedFromTimeOfDay();
    banner_ = random_(static_cast<int32_t>(ads.banners.size()));
    bottom_ = random_(static_cast<int32_t>(ads.bottoms.size()));

    // The bottom picture, centred under the banner, and its caption below it.
    const web::SponsorEntry& bottom = ads.bottoms[static_cast<size_t>(bottom_)];
    PlacePicture(BottomImage, pictureDir, bottom.picture, bottom.link, QPoint(0, BottomTop), bottom.caption);
    const int bottomHeight = BottomImage.pixmap().isNull() ? 60 : BottomImage.height();
    const int bottomWidth = BottomImage.pixmap().isNull() ? 468 : BottomImage.width();
    BottomImage.move(BannerArea.left() + (BannerArea.width() - bottomWidth) / 2, BottomTop);
    Place(BottomCaption, bottom.caption, bottom.link, QRect(176, BottomTop + bottomHeight + 4, 465, 25));

    // The banner in its fixed area, the picture centred in it.
    const web::SponsorEntry& banner = ads.banners[static_cast<size_t>(banner_)];
    const QString bannerPath = pictureDir + banner.picture;
    const QImage bannerPicture = ReadPicture(bannerPath);
    BannerImage.setGeometry(BannerArea);
    BannerImage.setAlignment(Qt::AlignCenter);
    if (!bannerPicture.isNull()) BannerImage.setPixmap(PixmapForScreen(bannerPicture, bannerPath));
    BannerImage.SetLink(banner.link);
    BannerImage.setAccessibleName(banner.caption);
    BannerImage.setToolTip(QStringLiteral("Click here to visit this sponsor"));
    connect(&BannerImage, &AdLink::Clicked, this, [this](const QString& target) { web::OpenWebPage(target, this); });
    Place(BannerCaption, banner.caption, banner.link, QRect(176, BannerArea.bottom() + 1 + 4, 465, 25));

    PlacePicture(DownloadsImage, pictureDir, ads.freeDownloads.picture, ads.freeDownloads.link, QPoint(280, 112),
                 ads.freeDownloads.caption);
    Place(DownloadsCaption, ads.freeDownloads.caption, ads.freeDownloads.link, QRect(168, 168, 473, 25));

    for (size_t i = 0; i < 4; ++i) {
        const web::SponsorEntry& game = ads.products[i];
        PlacePicture(ProductImages[i], pictureDir, game.picture, game.link, QPoint(ProductLefts[i], ProductRowTop),
                     game.caption);
        const QRect box = i == 0 ? QRect(168, 282, 113, 17) : QRect(ProductLefts[i], 282, 105, 17);
        Place(ProductCaptions[i], game.caption, game.link, box);
    }
    ShareRowFont(std::span(ProductCaptions).first(4));
    const web::SponsorEntry& column = ads.products[4];
    PlacePicture(ProductImages[4], pictureDir, column.picture, column.link, QPoint(672, 184), column.caption);
    Place(ProductCaptions[4], column.caption, column.link, QRect(648, 250, 145, 17));

    PlacePicture(HeadingImage, pictureDir, ads.headingPicture, QString(), QPoint(8, 200),
                 QStringLiteral("Our Sponsors"));

    for (size_t k = 0; k < SponsorList.size(); ++k) {
        AdLink& entry = SponsorList[k];
        entry.setText(ads.list[k].caption);
        entry.setAlignment(Qt::AlignCenter);
        entry.SetLink(ads.list[k].link);
        entry.setGeometry(ListLeft, ListTop + static_cast<int>(k) * ListPitch, 153, 17);
        connect(&entry, &AdLink::Clicked, this, [this](const QString& target) { web::OpenWebPage(target, this); });
        connect(&entry, &AdLink::Hovered, this, [this, k] { HighlightListEntry(static_cast<int>(k)); });
    }
    ClearHighlight();

    for (size_t i = 0; i < TileImages.size(); ++i) {
        const web::SponsorEntry& tile = ads.tiles[i];
        PlacePicture(TileImages[i], pictureDir, tile.picture, tile.link, TilePositions[i], tile.caption);
        Place(TileCaptions[i], tile.caption, tile.link, QRect(TileCaptionLefts[i], 416, 105, 17));
    }
    ShareRowFont(TileCaptions);

    setWindowTitle(QStringLiteral("Please Visit our Sponsors...They Made This Program FREE!"));
    SetKeyboardOrder();
}

void SponsorWindow::SetKeyboardOrder()
{
    // Top to bottom: the banner, the free downloads, the games, the list, the tiles, the bottom picture.
    std::vector<AdLink*> order{&BannerImage, &BannerCaption, &DownloadsImage, &DownloadsCaption};
    for (size_t i = 0; i < ProductImages.size(); ++i) {
        order.insert(order.end(), {&ProductImages[i], &ProductCaptions[i]});
    }
    for (AdLink& entry : SponsorList) order.push_back(&entry);
    for (size_t i = 0; i < TileImages.size(); ++i) order.insert(order.end(), {&TileImages[i], &TileCaptions[i]});
    order.insert(order.end(), {&BottomImage, &BottomCaption});
    // Tab only: a click on an advertisement opens it and leaves the focus where it was.
    QWidget* previous = nullptr;
    for (AdLink* link : order) {
        link->setFocusPolicy(link->Pressable() ? Qt::TabFocus : Qt::NoFocus);
        if (previous != nullptr) setTabOrder(previous, link);
        previous = link;
    }
    // Dark plum stands out on the white page and on every colour of the band.
    ShowKeyboardFocus(*this, CabinetPlum);
    // The window itself has the focus when it opens: Enter at once opens no
    // page, and Tab goes to the banner.
    setFocus();
}

void SponsorWindow::HighlightListEntry(int entry)
{
    ClearHighlight();
    if (entry < 0 || entry >= static_cast<int>(SponsorList.size())) return;
    AdLink& link = SponsorList[static_cast<size_t>(entry)];
    QFont font = link.font();
    font.setUnderline(true);
    link.setFont(font);
    SetTextColour(link, Qt::red);
}

void SponsorWindow::ClearHighlight()
{
    for (AdLink& link : SponsorList) {
        QFont font = this->font();
        font.setUnderline(false);
        link.setFont(font);
        SetTextColour(link, Qt::black);
    }
}

void SponsorWindow::paintEvent(QPaintEvent* event)
{
    // A new colour only when the whole window is drawn again: a repaint of a
    // part (a caption's highlight, a corner uncovered) keeps the band in one colour.
    const bool wholeWindow = QRegion(rect()).subtracted(event->region()).isEmpty();
    if (wholeWindow || !bandChosen_) {
        band_ = BandColourOf(random_(4));
        bandChosen_ = true;
    }
    QPainter painter(this);
    painter.fillRect(BandArea, band_);
}

void SponsorWindow::mouseMoveEvent(QMouseEvent* event)
{
    // Over the white background: no list entry is highlighted.
    ClearHighlight();
    QDialog::mouseMoveEvent(event);
}

}  // namespace dialogs
