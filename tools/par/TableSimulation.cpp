// Playing simulated spins from the combination table.
#include "TableSimulation.h"

#include <algorithm>

#include "SpinDraws.h"
#include "VectorShuffle.h"
#include "engine/BonusMeter.h"

namespace par {

TableSimulator::TableSimulator(int32_t betCoins, uint32_t seed, PlayModel model)
    : random_(seed), pauses_(seed), model_(model), betCoins_(betCoins)
{
    const CombinationTable& table = Combinations();
    for (size_t i = 0; i < table.size(); ++i) {
        const CombinationOutcome& c = table[i];
        static_assert(engine::PayRuleCount < 16, "a rule fits in four bits");
        packed_[i] =
            static_cast<uint8_t>(static_cast<uint8_t>(c.rule) |
                                 std::min<int>(c.bonusPoints, PointsMask) << PointsShift | (c.reset ? ResetBit : 0));
    }
    for (int rule = 0; rule <= engine::PayRuleCount; ++rule) {
        winByRule_[static_cast<size_t>(rule)] =
            static_cast<uint64_t>(betCoins) *
            static_cast<uint64_t>(engine::PayFactor(static_cast<engine::PayRule>(rule)));
    }
    totals_.finalSeed = seed;
}

void TableSimulator::PlayBonusGame()
{
    engine::BonusPrizes prizes = engine::BonusPrizeFill;
    if (!ShuffleBonusPrizesVectorized(random_, prizes)) engine::ShuffleBonusPrizes(random_, prizes);
    // The box the Enter key opens.
    const int32_t prize = prizes[static_cast<size_t>(random_(static_cast<int32_t>(prizes.size())))];
    ++totals_.bonusGames;
    if (prize > 0) totals_.bonusPrizes += static_cast<uint64_t>(prize);
    meter_ = 0;
}

void TableSimulator::PlaySpins(uint64_t count)
{
    constexpr JumpAhead afterSpin = JumpOf(SpinDrawCount);
    const auto bet = static_cast<uint64_t>(betCoins_);
    uint64_t baseWinnings = 0;
    uint64_t winningSpins = 0;
    for (uint64_t i = 0; i < count; ++i) {
        if (model_ == PlayModel::AttentionPauses) pauses_.Wait(random_, winFlash_);
        const uint32_t seed = random_.Seed();
        const uint8_t outcome = packed_[DrawnCombination(seed)];
        random_.SetSeed(afterSpin(seed));

        const int32_t points = outcome >> PointsShift & PointsMask;
        meter_ = (outcome & ResetBit) != 0 ? 0 : std::min(meter_ + points, engine::BonusMeterFull);
        const uint64_t win = winByRule_[outcome & RuleMask];
        baseWinnings += win;
        winFlash_ = win > 0;
        winningSpins += winFlash_ ? 1 : 0;
        if (meter_ >= engine::BonusMeterFull) [[unlikely]]
            PlayBonusGame();
    }
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

}  // namespace par
