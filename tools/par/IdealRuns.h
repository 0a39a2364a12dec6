// Long runs on ideal reels, fast enough for a billion spins: each spin one draw among the grouped
// moves of its meter level (the win with the bonus prize, the next level), by alias tables.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "CombinationTable.h"
#include "Sessions.h"

namespace par {

// Independent runs played side by side, each from an empty meter with its draws from wyrand seeded
// with its seed. The runs' chains of reads do not wait for each other, so the processor
// plays several at the time of one.
class IdealRuns {
public:
    IdealRuns(const SessionMoves& moves, const std::vector<uint64_t>& seeds);

    // Plays the spins on every run and adds the credits each won to its total.
    void Play(uint64_t spins);
    const std::vector<int64_t>& Won() const { return won_; }

private:
    // A slot of a level's alias table, both its moves beside each other: the low half of a
    // word below `keep` takes the first.
    // Every level has 2^bits_ slots (padded with moves of no chance), so that the spin's level
    // and the word's top bits give its slot at once: the run's one chain of memory reads.
    struct Slot {
        uint32_t keep = 0;
        uint32_t next[2] = {0, 0};  // the first slot of the next spin's level
        int64_t win[2] = {0, 0};
    };
    std::vector<Slot> slots_;
    int bits_ = 0;
    std::vector<uint32_t> at_;  // by run: the first slot of the level its next spin starts from
    std::vector<uint64_t> state_;
    std::vector<int64_t> won_;
};

// The running return per coin of runs of ideal reels at the given spin counts (ascending), a
// path for each seed.
std::vector<std::vector<std::pair<uint64_t, double>>> IdealReturnPaths(const CombinationTable& table, int32_t coins,
                                                                       const std::vector<uint64_t>& seeds,
                                                                       const std::vector<uint64_t>& checkpoints);

}  // namespace par
