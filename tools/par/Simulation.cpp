// Playing a simulation's spins through the real rules, and printing its totals.
#include "Simulation.h"

#include <cmath>

#include "Fraction.h"

namespace par {

Simulator::Simulator(int32_t betCoins, uint32_t seed, PlayModel model)
    : random_(seed),
      host_(random_),
      game_(state_, random_, host_, outcomes_),
      pauses_(seed),
      model_(model),
      betCoins_(betCoins)
{
    state_.SpinInProgress = false;  // no start-up hold: the table is ready
    state_.BetCoins = 0;
    state_.LastBet = betCoins;  // every spin re-bets it
    totals_.finalSeed = random_.Seed();
}

void Simulator::PlaySpin()
{
    if (model_ == PlayModel::AttentionPauses) {
        pauses_.Wait(random_, game_.WinFlashOn());
    }
    // Exactly the bet, so that after the spin Credits holds what it paid.
    state_.Credits = betCoins_;
    game_.Spin(nullptr);
    host_.PlayBonusPick(game_);

    const uint64_t bonusPrizes = static_cast<uint64_t>(host_.TakeBonusPrizes());
    const uint64_t paid = state_.Credits > 0 ? static_cast<uint64_t>(state_.Credits) : 0;
    const uint64_t base = paid - bonusPrizes;
    ++totals_.spins;
    totals_.totalBet += static_cast<uint64_t>(betCoins_);
    totals_.baseWinnings += base;
    if (base > 0) ++totals_.winningSpins;
    totals_.bonusGames += static_cast<uint64_t>(host_.TakeBonusGames());
    totals_.bonusPrizes += bonusPrizes;
}

void Simulator::PlaySpins(uint64_t count)
{
    for (uint64_t i = 0; i < count; ++i) PlaySpin();
}

SimulationTotals Simulator::Totals() const
{
    SimulationTotals totals = totals_;
    totals.finalSeed = random_.Seed();
    return totals;
}

void PrintSimulation(const SimulationTotals& t, double seconds, std::ostream& out,
                     const std::vector<uint32_t>& streamFinalSeeds)
{
    const bool streams = streamFinalSeeds.size() > 1;
    if (streams) out << "streams: " << streamFinalSeeds.size() << '\n';
    out << "spins: " << t.spins << '\n'
        << "total bet: " << t.totalBet << '\n'
        << "base winnings: " << t.baseWinnings << '\n'
        << "winning spins: " << t.winningSpins << '\n'
        << "bonus games: " << t.bonusGames << '\n'
        << "bonus prizes: " << t.bonusPrizes << '\n';
    if (streams) {
        out << "final seeds:";
        for (uint32_t seed : streamFinalSeeds) out << ' ' << seed;
        out << '\n';
    } else {
        out << "final seed: " << t.finalSeed << '\n';
    }

    const Fraction ret = t.totalBet == 0
                             ? Fraction(0)
                             : Fraction(BigInt::FromUnsigned(t.baseWinnings) + BigInt::FromUnsigned(t.bonusPrizes),
                                        BigInt::FromUnsigned(t.totalBet));
    out << "total return: " << ret.ToDecimal(6) << '\n';

    const double rate = seconds > 0 ? static_cast<double>(t.spins) / seconds : 0.0;
    out << "spins per second: " << static_cast<uint64_t>(std::llround(rate)) << '\n';
}

}  // namespace par
