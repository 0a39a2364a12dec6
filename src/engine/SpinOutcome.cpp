// A spin's outcome from its drawn stops, by the same rules the spin shows it.
#include "engine/SpinOutcome.h"

#include "engine/Amounts.h"
#include "engine/BonusMeter.h"

namespace engine {

SpinOutcome DecideSpin(const ReelStops& drawn, int32_t betCoins, int32_t meterBefore)
{
    SpinOutcome outcome;
    outcome.drawn = drawn;
    // Each reel's Down nudge, then its Up nudge, as the spin plays them.
    ReelStops& stops = outcome.resting;
    stops = drawn;
    for (int reel = 0; reel < ReelCount; ++reel) {
        const auto r = static_cast<size_t>(reel);
        outcome.nudgedDown[r] = NeedsDownNudge(stops, reel);
        if (outcome.nudgedDown[r]) stops[r] = WrapPosition(WrapPosition(stops[r]) - 1);
        outcome.nudgedUp[r] = NeedsUpNudge(stops, reel);
        if (outcome.nudgedUp[r]) stops[r] = WrapPosition(WrapPosition(stops[r]) + 1);
    }
    const PaylineReading payline = ReadPaylineForEvaluation(outcome.resting);
    outcome.symbols = payline.symbols;
    outcome.rule = MatchPayRule(payline.symbols);
    outcome.win = SaturatingMultiply(betCoins, PayFactor(outcome.rule));
    outcome.bonusPoints = payline.bonusPoints;
    outcome.reset = payline.reset;
    outcome.meterBefore = meterBefore;
    outcome.meterAfter = MeterAfterSpin(meterBefore, payline.reset, payline.bonusPoints);
    return outcome;
}

}  // namespace engine
