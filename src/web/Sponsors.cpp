// The sponsor window's advertisements. The sponsors are invented for the
// game; the addresses use the reserved example domains only.
#include "web/Sponsors.h"

#include "web/WebLinks.h"

namespace web {

namespace {

QString Publisher()
{
    return QString::fromLatin1(PublisherSite);
}

SponsorEntry Listed(const char* name, const char* address)
{
    return {QString::fromUtf8(name), QString(), QString::fromLatin1(address)};
}

SponsorSets MakeSponsors()
{
    SponsorSets s;
    s.list = {
        SponsorEntry{QStringLiteral("Tallyho"), QString(), Publisher()},
        Listed("Bramblewick Tea Rooms", "https://bramblewick.example.net"),
        Listed("Copperkettle Crafts", "https://copperkettle.example.org"),
        Listed("Dandelion Kites", "https://www.example.net/dandelion-kites"),
        Listed("Emberglow Candles", "https://emberglow.example.com"),
        Listed("Fernhollow Gardens", "https://www.example.org/fernhollow"),
        Listed("Gooseberry Bakes", "https://gooseberry.example.net"),
        Listed("Hazelnut Hollow Toys", "https://www.example.com/hazelnut-hollow"),
        Listed("Inkwell & Quill", "https://inkwell.example.org"),
        Listed("Juniper Jams", "https://www.example.net/juniper-jams"),
        Listed("Kettledrum Music", "https://kettledrum.example.com"),
        Listed("Lanternlight Books", "https://www.example.org/lanternlight"),
        Listed("Marigold Cycles", "https://marigold.example.net"),
        Listed("Nutmeg & Clove", "https://www.example.com/nutmeg-and-clove"),
        Listed("Otterbrook Canoes", "https://otterbrook.example.org"),
        Listed("Pebblepath Shoes", "https://www.example.net/pebblepath"),
        Listed("Quillwort Paper Co.", "https://quillwort.example.com"),
        Listed("Rosehip Radio", "https://www.example.org/rosehip-radio"),
        Listed("Saffron Sky Travel", "https://saffronsky.example.net"),
    };
    const std::array<const char*, 4> tilePictures{"tile1.gif", "tile2.gif", "tile3.gif", "tile4.gif"};
    for (size_t i = 0; i < s.tiles.size(); ++i) {
        const SponsorEntry& listed = s.list[static_cast<size_t>(TileListEntries[i])];
        s.tiles[i] = {listed.caption, QString::fromLatin1(tilePictures[i]), listed.link};
    }
    const std::array<int, 4> bannerEntries{1, 7, 11, 17};
    for (size_t i = 0; i < s.banners.size(); ++i) {
        const SponsorEntry& listed = s.list[static_cast<size_t>(bannerEntries[i])];
        s.banners[i] = {listed.caption, QStringLiteral("banner%1.gif").arg(i + 1), listed.link};
    }
    const std::array<int, 5> bottomEntries{2, 6, 9, -1, 16};
    for (size_t i = 0; i < s.bottoms.size(); ++i) {
        const QString picture = QStringLiteral("bottom%1.jpg").arg(i + 1);
        if (static_cast<int>(i) == FreeDownloadsBottomChoice) {
            s.bottoms[i] = {QStringLiteral("Get Your Free Game Downloads"), picture, GamesPage()};
        } else {
            const SponsorEntry& listed = s.list[static_cast<size_t>(bottomEntries[i])];
            s.bottoms[i] = {QStringLiteral("Visit ") + listed.caption, picture, listed.link};
        }
    }
    s.freeDownloads = {QStringLiteral("FREE game downloads....click here to find out more."),
                       QStringLiteral("downloads.gif"), GamesPage()};
    const std::array<std::pair<const char*, const char*>, 5> games{{{"Cherry Fizz", "cherryfizz"},
                                                                    {"Lucky Lanterns", "luckylanterns"},
                                                                    {"Gold Rush Reels", "goldrushreels"},
                                                                    {"Moonberry Poker", "moonberrypoker"},
                                                                    {"Velvet Dice", "velvetdice"}}};
    for (size_t i = 0; i < s.products.size(); ++i) {
        s.products[i] = {QString::fromLatin1(games[i].first), QStringLiteral("product%1.bmp").arg(i + 1),
                         GamePage(QString::fromLatin1(games[i].second))};
    }
    s.headingPicture = QStringLiteral("heading.bmp");
    return s;
}

}  // namespace

const SponsorSets& Sponsors()
{
    static const SponsorSets sets = MakeSponsors();
    return sets;
}

}  // namespace web
