// Playing simulated spins from the combination table.
#include "TableSimulation.h"

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <thread>
#include <utility>

#include "PauseLanes.h"
#include "SpinDraws.h"
#include "VectorShuffle.h"

namespace par {

TableSimulator::TableSimulator(const CombinationTable& table, int32_t betCoins, uint32_t seed, PlayModel model)
    : TableSimulator(table, betCoins, seed, seed, model)
{}

TableSimulator::TableSimulator(const CombinationTable& table, int32_t betCoins, uint32_t gameSeed, uint32_t pauseSeed,
                               PlayModel model)
    : prizes_(table.model.prizes),
      meterFull_(table.model.meterFull),
      random_(gameSeed),
      pauses_(pauseSeed),
      model_(model),
      betCoins_(betCoins)
{
    const SlotModel& m = table.model;
    auto symbolIndex = [](int32_t symbol) {
        return symbol == engine::NoSymbol ? 6 : symbol >= 0 && symbol < ModelSymbols ? symbol : 5;
    };
    for (int reel = 0; reel < engine::ReelCount; ++reel) {
        for (int32_t stop = 1; stop <= engine::StripLength; ++stop) {
            const int32_t payline = m.NudgedStop(reel, stop) + 1;
            const bool empties = m.At(reel, payline).form == Form::Reset && m.reset == ResetRule::EmptiesMeter;
            reelFacts_[reel][static_cast<size_t>(stop - 1)] =
                static_cast<uint8_t>(symbolIndex(m.PaylineSymbol(reel, payline)) | (empties ? EmptiesBit : 0) |
                                     m.PointsAt(reel, payline) << PointsShift);
        }
    }
    constexpr std::array<int32_t, 7> symbolOfIndex{0, 1, 2, 3, 4, engine::BlankCode, engine::NoSymbol};
    for (size_t i = 0; i < ruleOfPayline_.size(); ++i) {
        ruleOfPayline_[i] = static_cast<uint8_t>(
            engine::MatchPayRule({symbolOfIndex[i / 49], symbolOfIndex[i / 7 % 7], symbolOfIndex[i % 7]}));
    }
    for (int rule = 0; rule <= engine::PayRuleCount; ++rule) {
        winOfRule_[static_cast<size_t>(rule)] =
            static_cast<uint64_t>(betCoins) * static_cast<uint64_t>(m.PayFactor(static_cast<engine::PayRule>(rule)));
    }

    // The pieces put together must give the table's outcome of every combination.
    if (table.size() != static_cast<size_t>(StopCombinations))
        throw std::invalid_argument("a table of every stop combination");
    for (size_t i = 0; i < table.size(); ++i) {
        const engine::ReelStops drawn = DrawnStops(i);
        const CombinationOutcome& c = table[i];
        uint32_t facts[engine::ReelCount];
        for (int reel = 0; reel < engine::ReelCount; ++reel) facts[reel] = reelFacts_[reel][drawn[reel] - 1];
        const uint8_t rule =
            ruleOfPayline_[(facts[0] & SymbolMask) * 49 + (facts[1] & SymbolMask) * 7 + (facts[2] & SymbolMask)];
        const uint32_t points = (facts[0] >> PointsShift) + (facts[1] >> PointsShift) + (facts[2] >> PointsShift);
        const bool emptied = ((facts[0] | facts[1] | facts[2]) & EmptiesBit) != 0;
        if (rule != static_cast<uint8_t>(c.rule) || emptied != c.emptiesMeter ||
            (!emptied && points != static_cast<uint32_t>(c.bonusPoints)))
            throw std::logic_error("the simulation's lookups disagree with the combination table");
    }
    totals_.finalSeed = gameSeed;
}

uint32_t TableSimulator::PlayBonusGame(uint32_t seed)
{
    engine::Random random(seed);
    engine::BonusPrizes prizes = prizes_;
    if (!ShuffleBonusPrizesVectorized(random, prizes)) engine::ShuffleBonusPrizes(random, prizes);
    // The box the Enter key opens.
    const int32_t prize = prizes[static_cast<size_t>(random(static_cast<int32_t>(prizes.size())))];
    ++totals_.bonusGames;
    if (prize > 0) totals_.bonusPrizes += static_cast<uint64_t>(prize);
    return random.Seed();
}

#ifdef PLUMFIZZ_PAUSE_LANES

__attribute__((target("avx2,popcnt"))) void TableSimulator::PlaySpinsInLanes(uint64_t count)
{
    // As PlaySpins below, the pauses' picks made by lanes::PickTicks inline.
    constexpr JumpAhead afterSpin = JumpOf(SpinDrawCount);
    uint64_t baseWinnings = 0;
    uint64_t winningSpins = 0;
    uint32_t seed = random_.Seed();
    int32_t last = pauses_.LastPick();
    int32_t meter = meter_;
    bool winFlash = winFlash_;
    for (uint64_t i = 0; i < count; ++i) {
        const uint32_t ticks = pauses_.NextTicks(winFlash);
        if (ticks != 0) seed = lanes::PickTicks(seed, last, ticks);
        const uint64_t win = Spin(seed, meter);
        seed = afterSpin(seed);
        baseWinnings += win;
        winFlash = win > 0;
        winningSpins += winFlash ? 1 : 0;
        if (meter >= meterFull_) [[unlikely]] {
            seed = PlayBonusGame(seed);
            meter = 0;
        }
    }
    random_.SetSeed(seed);
    pauses_.LastPick() = last;
    meter_ = meter;
    winFlash_ = winFlash;
    totals_.spins += count;
    totals_.totalBet += count * static_cast<uint64_t>(betCoins_);
    totals_.baseWinnings += baseWinnings;
    totals_.winningSpins += winningSpins;
    totals_.finalSeed = seed;
}

#else

void TableSimulator::PlaySpinsInLanes(uint64_t)
{}

#endif

void TableSimulator::PlaySpins(uint64_t count)
{
    if (model_ == PlayModel::AttentionPauses && UsableVectorLevel() == VectorLevel::Avx2) {
        PlaySpinsInLanes(count);
        return;
    }
    constexpr JumpAhead afterSpin = JumpOf(SpinDrawCount);
    const auto bet = static_cast<uint64_t>(betCoins_);
    uint64_t baseWinnings = 0;
    uint64_t winningSpins = 0;
    // The state that every spin reads and writes, kept in locals (registers)
    // for the loop instead of in members.
    engine::Random random = random_;
    int32_t meter = meter_;
    bool winFlash = winFlash_;
    for (uint64_t i = 0; i < count; ++i) {
        if (model_ == PlayModel::AttentionPauses) pauses_.Wait(random, winFlash);
        const uint32_t seed = random.Seed();
        const uint64_t win = Spin(seed, meter);
        random.SetSeed(afterSpin(seed));
        baseWinnings += win;
        winFlash = win > 0;
        winningSpins += winFlash ? 1 : 0;
        if (meter >= meterFull_) [[unlikely]] {
            random.SetSeed(PlayBonusGame(random.Seed()));
            meter = 0;
        }
    }
    random_ = random;
    meter_ = meter;
    winFlash_ = winFlash;
    totals_.spins += count;
    totals_.totalBet += count * bet;
    totals_.baseWinnings += baseWinnings;
    totals_.winningSpins += winningSpins;
    totals_.finalSeed = random_.Seed();
}

SimulationTotals TableSimulator::Totals() const
{
    return totals_;
}

StreamSeeds SeedsOfStream(uint32_t seed, unsigned stream, unsigned streams)
{
    if (streams <= 1) return {seed, seed};
    // SplitMix64's output function: a bijective mix of the 64-bit input.
    uint64_t x = (static_cast<uint64_t>(seed) << 32 | stream) + 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    x ^= x >> 31;
    return {static_cast<uint32_t>(x), static_cast<uint32_t>(x >> 32)};
}

std::vector<SimulationTotals> SimulateStreams(const CombinationTable& table, int32_t betCoins, uint32_t seed,
                                              PlayModel model, uint64_t spins, unsigned streams)
{
    streams = std::max(1u, streams);
    std::vector<SimulationTotals> totals(streams);
    auto play = [&](unsigned k) {
        const StreamSeeds seeds = SeedsOfStream(seed, k + 1, streams);
        TableSimulator simulator(table, betCoins, seeds.game, seeds.pauses, model);
        simulator.PlaySpins(spins / streams + (k < spins % streams ? 1 : 0));
        totals[k] = simulator.Totals();
    };
    RunStreams(streams, play);
    return totals;
}

void RunStreams(unsigned streams, const std::function<void(unsigned)>& play)
{
    if (streams <= 1) {
        play(0);
        return;
    }
    std::vector<std::thread> workers;
    std::vector<std::exception_ptr> failures(streams);
    try {
        for (unsigned k = 0; k < streams; ++k) {
            workers.emplace_back([&, k] {
                try {
                    play(k);
                } catch (...) {
                    failures[k] = std::current_exception();
                }
            });
        }
    } catch (...) {
        // A thread that could not start: the started ones finish first.
        for (std::thread& worker : workers) worker.join();
        throw;
    }
    for (std::thread& worker : workers) worker.join();
    for (const std::exception_ptr& failure : failures) {
        if (failure) std::rethrow_exception(failure);
    }
}

SimulationTotals SumOfStreams(const std::vector<SimulationTotals>& streams)
{
    SimulationTotals sum;
    for (const SimulationTotals& t : streams) {
        sum.spins += t.spins;
        sum.totalBet += t.totalBet;
        sum.baseWinnings += t.baseWinnings;
        sum.winningSpins += t.winningSpins;
        sum.bonusGames += t.bonusGames;
        sum.bonusPrizes += t.bonusPrizes;
    }
    if (!streams.empty()) sum.finalSeed = streams.front().finalSeed;
    return sum;
}

}  // namespace par
