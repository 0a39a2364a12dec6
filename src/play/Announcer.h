// What the play tells a screen reader: that the table's figures may have
// changed, and what happened, in words.
#pragma once

#include <string>

namespace play {

class Announcer {
public:
    virtual ~Announcer() = default;
    // The table's reading (Session::Reading) may have changed: a counter, the
    // meter, the reels, or whether the table takes a bet or spin.
    virtual void TableChanged() = 0;
    // An outcome in a sentence or two, e.g. "No win. Credits 994."
    virtual void Announce(const std::string& text) = 0;
};

}  // namespace play
