// The sponsor window's pictures: banners and bottom pictures, sponsor tiles,
// the free-downloads badge, the publisher's game tiles and the heading.
#pragma once

#include <vector>

#include "Artwork.h"

namespace artwork {

// "sponsors/<name>" for every picture the sponsor window shows, in the
// formats their names end with (GIF, JPEG, BMP).
std::vector<Artwork> SponsorPictures();

}  // namespace artwork
