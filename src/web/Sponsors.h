// The sponsor window's advertisements: the sponsor list, the tiles, the
// banner and bottom choices, the free downloads and the publisher's games.
// Every sponsor is made up; every address is on a reserved example domain.
#pragma once

#include <QString>

#include <array>

namespace web {

struct SponsorEntry {
    QString caption;
    QString picture;  // file name in the sponsor picture folder; empty for none
    QString link;
};

struct SponsorSets {
    std::array<SponsorEntry, 19> list;     // entry 0 is the publisher
    std::array<SponsorEntry, 4> tiles;     // each opens the link of one list entry
    std::array<SponsorEntry, 4> banners;   // 468 x 60
    std::array<SponsorEntry, 5> bottoms;   // 468 x 60
    SponsorEntry freeDownloads;            // 250 x 53
    std::array<SponsorEntry, 5> products;  // four 100 x 80 in the row, one 100 x 66 in the right column
    QString headingPicture;                // 150 x 30, above the list, no link
};

const SponsorSets& Sponsors();

// The list entry (numbered from 0) whose link each sponsor tile opens.
inline constexpr std::array<int, 4> TileListEntries{10, 4, 12, 14};

// Which bottom choice (numbered from 0) offers the free game downloads.
inline constexpr int FreeDownloadsBottomChoice = 3;

}  // namespace web
