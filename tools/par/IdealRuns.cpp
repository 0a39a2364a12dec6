// Alias tables over a meter level's moves, and runs of ideal reels drawn from them.
#include "IdealRuns.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace par {

IdealRuns::IdealRuns(const SessionMoves& moves, const std::vector<uint64_t>& seeds)
    : at_(seeds.size(), 0), state_(seeds), won_(seeds.size(), 0)
{
    if (moves.empty()) throw std::invalid_argument("a run needs a meter level");
    size_t most = 1;
    for (const std::vector<SessionMove>& options : moves) most = std::max(most, options.size());
    while ((size_t{1} << bits_) < most) ++bits_;
    const size_t n = size_t{1} << bits_;
    for (std::vector<SessionMove> options : moves) {
        // Vose's alias method: every slot holds its own move with some chance and another's otherwise.
        if (options.empty()) throw std::invalid_argument("a meter level without moves");
        options.resize(n, SessionMove{0, 0, 0.0});
        double total = 0;
        for (const SessionMove& m : options) total += m.chance;
        std::vector<double> scaled(n);
        std::vector<size_t> alias(n);
        std::vector<size_t> small, large;
        for (size_t i = 0; i < n; ++i) {
            alias[i] = i;
            scaled[i] = options[i].chance / total * static_cast<double>(n);
            (scaled[i] < 1 ? small : large).push_back(i);
        }
        std::vector<double> keep(n, 1.0);
        while (!small.empty() && !large.empty()) {
            const size_t s = small.back();
            small.pop_back();
            const size_t l = large.back();
            keep[s] = scaled[s];
            alias[s] = l;
            scaled[l] -= 1 - scaled[s];
            if (scaled[l] < 1) {
                large.pop_back();
                small.push_back(l);
            }
        }
        for (size_t i = 0; i < n; ++i) {
            Slot slot;
            // A chance of 1 keeps the slot whatever the low half is.
            slot.keep = keep[i] >= 1 ? UINT32_MAX : static_cast<uint32_t>(keep[i] * 0x1p32);
            for (int k = 0; k < 2; ++k) {
                const SessionMove& m = options[k == 0 ? i : alias[i]];
                if (m.next < 0 || static_cast<size_t>(m.next) >= moves.size())
                    throw std::invalid_argument("a move to a level that does not exist");
                slot.next[k] = static_cast<uint32_t>(static_cast<size_t>(m.next) << bits_);
                slot.win[k] = m.win;
            }
            slots_.push_back(slot);
        }
    }
}

namespace {

// Wang Yi's wyrand: a Weyl sequence through one 64 x 64 -> 128-bit multiply, which passes
// BigCrush and PractRand, at a few instructions a word.
uint64_t NextWord(uint64_t& state)
{
    state += 0xA0761D6478BD642Full;
    const unsigned __int128 product = static_cast<unsigned __int128>(state) * (state ^ 0xE7037ED1A0B428DBull);
    return static_cast<uint64_t>(product >> 64) ^ static_cast<uint64_t>(product);
}

}  // namespace

void IdealRuns::Play(uint64_t spins)
{
    // The top bits pick the slot, the low half decides between its two moves (a shift by 64
    // when a level has one slot would be undefined: its slot is then the first).
    const int shift = bits_ == 0 ? 63 : 64 - bits_;
    const uint64_t mask = bits_ == 0 ? 0 : ~uint64_t{0};
    const Slot* slots = slots_.data();
    // Up to eight runs at a time, their state held locally so that it stays in registers.
    constexpr size_t Group = 8;
    for (size_t first = 0; first < at_.size(); first += Group) {
        const size_t runs = std::min(Group, at_.size() - first);
        std::array<uint32_t, Group> at{};
        std::array<uint64_t, Group> state{};
        std::array<int64_t, Group> won{};
        std::copy_n(&at_[first], runs, at.begin());
        std::copy_n(&state_[first], runs, state.begin());
        for (uint64_t spin = 0; spin < spins; ++spin) {
            for (size_t r = 0; r < runs; ++r) {
                const uint64_t word = NextWord(state[r]);
                const Slot& slot = slots[at[r] + static_cast<uint32_t>((word & mask) >> shift)];
                const int other = static_cast<uint32_t>(word) >= slot.keep;
                won[r] += slot.win[other];
                at[r] = slot.next[other];
            }
        }
        for (size_t r = 0; r < runs; ++r) {
            at_[first + r] = at[r];
            state_[first + r] = state[r];
            won_[first + r] += won[r];
        }
    }
}

std::vector<std::vector<std::pair<uint64_t, double>>> IdealReturnPaths(const CombinationTable& table, int32_t coins,
                                                                       const std::vector<uint64_t>& seeds,
                                                                       const std::vector<uint64_t>& checkpoints)
{
    IdealRuns runs(BuildSessionMoves(table, coins), seeds);
    std::vector<std::vector<std::pair<uint64_t, double>>> paths(seeds.size());
    uint64_t played = 0;
    for (uint64_t checkpoint : checkpoints) {
        if (checkpoint < played) throw std::invalid_argument("checkpoints in ascending order");
        runs.Play(checkpoint - played);
        played = checkpoint;
        for (size_t r = 0; r < seeds.size(); ++r) {
            paths[r].emplace_back(played, static_cast<double>(runs.Won()[r]) /
                                              (static_cast<double>(played) * static_cast<double>(coins)));
        }
    }
    return paths;
}

}  // namespace par
