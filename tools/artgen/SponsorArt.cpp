// Drawing the sponsor window's advertisements: each sponsor in a colour of
// its own with an emblem of its initial, the publisher's games in the
// cabinet's plum and gold.
#include "SponsorArt.h"

#include <QPainter>

#include "Paint.h"
#include "Palette.h"
#include "Symbols.h"
#include "web/Sponsors.h"

namespace artwork {

namespace {

// A hue per sponsor, spread round the colour wheel by its place in the list.
QColor SponsorColour(const QString& name)
{
    const auto& list = web::Sponsors().list;
    int index = 0;
    for (size_t i = 0; i < list.size(); ++i) {
        if (name.endsWith(list[i].caption)) index = static_cast<int>(i);
    }
    return QColor::fromHsv((index * 67) % 360, 170, 200);
}

const char* Tagline(int index)
{
    static const char* const lines[] = {
        "Made by hand, made to last",   "Open every day of the year", "Free delivery on every order",
        "A family business since 1952", "Friendly folk, fair prices", "Visit us online today",
    };
    return lines[index % 6];
}

void Emblem(QPainter& p, QPointF centre, qreal radius, const QColor& colour, const QString& name)
{
    QRadialGradient glow(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
    glow.setColorAt(0, colour.lighter(160));
    glow.setColorAt(1, colour.darker(140));
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(glow);
    p.drawEllipse(centre, radius, radius);
    p.setPen(Qt::white);
    p.setFont(SerifFont(radius * 1.2));
    p.drawText(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), Qt::AlignCenter, name.left(1));
}

// A 468 x 60 strip: the sponsor's colour, its emblem, its name and a line about it.
QImage Strip(const QString& name, const QString& line, const QColor& colour, qreal scale)
{
    const QSize size(468, 60);
    QImage image = NewCanvas(ScaledSize(size, scale), Qt::white);
    QPainter p;
    BeginScaled(p, &image, scale);
    QLinearGradient back(0, 0, 468, 0);
    back.setColorAt(0, colour.darker(170));
    back.setColorAt(0.55, colour);
    back.setColorAt(1, colour.lighter(150));
    p.fillRect(QRect(QPoint(0, 0), size), back);
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(2, 2, 464, 56), 6, 6);
    Emblem(p, QPointF(34, 30), 21, colour.darker(130), name);
    p.setPen(Qt::white);
    p.setFont(SansFont(21));
    p.drawText(QRectF(66, 6, 390, 28), Qt::AlignLeft | Qt::AlignVCenter, name);
    p.setFont(SansFont(13, false));
    p.drawText(QRectF(66, 33, 390, 20), Qt::AlignLeft | Qt::AlignVCenter, line);
    return image;
}

// The cabinet's lacquer: a plum gradient from `top` down to plum black, inside a gold rim.
void PlumLacquer(QPainter& p, QSizeF size, const QColor& top, qreal rimWidth, qreal rimRadius)
{
    QLinearGradient back(0, 0, 0, size.height());
    back.setColorAt(0, top);
    back.setColorAt(1, palette::PlumBlack);
    p.fillRect(QRectF(QPointF(0, 0), size), back);
    GoldRing(p, QRectF(1, 1, size.width() - 2, size.height() - 2), rimWidth, rimRadius);
}

// The cabinet's own strip: plum, a gold rim, three reel symbols and the offer.
QImage DownloadsStrip(qreal scale)
{
    const QSize size(468, 60);
    QImage image = NewCanvas(ScaledSize(size, scale), palette::PlumDeep);
    QPainter p;
    BeginScaled(p, &image, scale);
    PlumLacquer(p, size, palette::Plum, 2.5, 6);
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.translate(14 + i * 44, 11);
        p.scale(38.0 / 76, 38.0 / 76);
        PaintSymbol(p, i == 1 ? CellSeven : CellPlum);
        p.restore();
    }
    const QPainterPath text = TextPath(QStringLiteral("FREE GAME DOWNLOADS"), SerifFont(24), QRectF(150, 4, 310, 52));
    OutlinedPath(p, text, GoldGradient(QPointF(0, 14), QPointF(0, 46)), palette::PlumBlack, 1.2);
    return image;
}

// A sponsor tile: the emblem above the sponsor's name.
QImage Tile(const QString& name, QSize size, qreal scale)
{
    const QColor colour = SponsorColour(name);
    QImage image = NewCanvas(ScaledSize(size, scale), Qt::white);
    QPainter p;
    BeginScaled(p, &image, scale);
    QLinearGradient back(0, 0, 0, size.height());
    back.setColorAt(0, colour.lighter(150));
    back.setColorAt(1, colour.darker(120));
    p.setPen(QPen(colour.darker(160), 2));
    p.setBrush(back);
    p.drawRoundedRect(QRectF(1, 1, size.width() - 2, size.height() - 2), 8, 8);
    const qreal radius = size.height() > 70 ? 24 : 16;
    Emblem(p, QPointF(size.width() / 2.0, 8 + radius), radius, colour.darker(130), name);
    p.setPen(Qt::white);
    p.setFont(CondensedFont(11));
    p.drawText(QRectF(4, 12 + 2 * radius, size.width() - 8, size.height() - 14 - 2 * radius),
               Qt::AlignCenter | Qt::TextWordWrap, name);
    return image;
}

// A game of the publisher's: plum lacquer, a gold rim, a symbol and the title.
QImage GameTile(const QString& title, int index, QSize size, qreal scale)
{
    QImage image = NewCanvas(ScaledSize(size, scale), palette::PlumBlack);
    QPainter p;
    BeginScaled(p, &image, scale);
    PlumLacquer(p, size, QColor::fromHsv((290 + index * 40) % 360, 200, 150), 2, 6);
    const qreal cell = size.height() - 30;
    p.save();
    p.translate((size.width() - cell) / 2, 5);
    p.scale(cell / 76, cell / 76);
    PaintSymbol(p, index % 5);
    p.restore();
    const QPainterPath text =
        TextPath(title, CondensedFont(12), QRectF(3, size.height() - 25, size.width() - 6, 22), Qt::AlignCenter);
    OutlinedPath(p, text, QBrush(palette::GoldPale), palette::PlumBlack, 1.0);
    return image;
}

QImage DownloadsBadge(qreal scale)
{
    const QSize size(250, 53);
    QImage image = NewCanvas(ScaledSize(size, scale), palette::PlumDeep);
    QPainter p;
    BeginScaled(p, &image, scale);
    PlumLacquer(p, size, palette::PlumBright, 2.5, 8);
    const QPainterPath text = TextPath(QStringLiteral("FREE GAMES!"), SerifFont(28), QRectF(0, 2, 250, 49));
    Glow(p, text, QColor(0xff, 0xc8, 0x40), 3, 0.6);
    OutlinedPath(p, text, GoldGradient(QPointF(0, 10), QPointF(0, 44)), palette::PlumBlack, 1.2);
    return image;
}

QImage Heading(qreal scale)
{
    const QSize size(150, 30);
    QImage image = NewCanvas(ScaledSize(size, scale), palette::PlumDeep);
    QPainter p;
    BeginScaled(p, &image, scale);
    QLinearGradient back(0, 0, 0, 30);
    back.setColorAt(0, palette::Plum);
    back.setColorAt(1, palette::PlumBlack);
    p.fillRect(QRect(QPoint(0, 0), size), back);
    GoldRing(p, QRectF(0.5, 0.5, 149, 29), 1.5, 4);
    const QPainterPath text = TextPath(QStringLiteral("Our Sponsors"), SerifFont(17), QRectF(0, 0, 150, 30));
    OutlinedPath(p, text, GoldGradient(QPointF(0, 6), QPointF(0, 24)), palette::PlumBlack, 1.0);
    return image;
}

QString InFolder(const QString& name)
{
    return QStringLiteral("sponsors/") + name;
}

}  // namespace

std::vector<Artwork> SponsorPictures()
{
    const web::SponsorSets& ads = web::Sponsors();
    std::vector<Artwork> pictures;
    for (size_t i = 0; i < ads.banners.size(); ++i) {
        const web::SponsorEntry banner = ads.banners[i];
        pictures.push_back({InFolder(banner.picture), [banner, i](int scale) {
                                return Strip(banner.caption, QString::fromLatin1(Tagline(static_cast<int>(i))),
                                             SponsorColour(banner.caption), scale);
                            }});
    }
    for (size_t i = 0; i < ads.bottoms.size(); ++i) {
        const web::SponsorEntry bottom = ads.bottoms[i];
        if (static_cast<int>(i) == web::FreeDownloadsBottomChoice) {
            pictures.push_back({InFolder(bottom.picture), [](int scale) { return DownloadsStrip(scale); }});
            continue;
        }
        const QString name = bottom.caption.mid(QStringLiteral("Visit ").size());
        pictures.push_back({InFolder(bottom.picture), [name, i](int scale) {
                                return Strip(name, QString::fromLatin1(Tagline(static_cast<int>(i) + 3)),
                                             SponsorColour(name), scale);
                            }});
    }
    for (size_t i = 0; i < ads.tiles.size(); ++i) {
        const web::SponsorEntry tile = ads.tiles[i];
        const QSize size = i == 0 ? QSize(100, 90) : QSize(100, 66);
        pictures.push_back(
            {InFolder(tile.picture), [tile, size](int scale) { return Tile(tile.caption, size, scale); }});
    }
    for (size_t i = 0; i < ads.products.size(); ++i) {
        const web::SponsorEntry game = ads.products[i];
        const QSize size = i < 4 ? QSize(100, 80) : QSize(100, 66);
        pictures.push_back({InFolder(game.picture), [game, i, size](int scale) {
                                return GameTile(game.caption, static_cast<int>(i), size, scale);
                            }});
    }
    pictures.push_back({InFolder(ads.freeDownloads.picture), [](int scale) { return DownloadsBadge(scale); }});
    pictures.push_back({InFolder(ads.headingPicture), [](int scale) { return Heading(scale); }});
    return pictures;
}

}  // namespace artwork
