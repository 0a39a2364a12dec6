// Building the table of the 27,000 drawn stop combinations from the engine's rules.
#include "CombinationTable.h"

namespace par {

engine::ReelStops DrawnStops(size_t index)
{
    const auto length = static_cast<size_t>(engine::StripLength);
    return {static_cast<int32_t>(index / (length * length)) + 1, static_cast<int32_t>(index / length % length) + 1,
            static_cast<int32_t>(index % length) + 1};
}

CombinationOutcome EvaluateCombination(const engine::ReelStops& drawn)
{
    engine::ReelStops resting{};
    CombinationOutcome outcome;
    for (int reel = 0; reel < engine::ReelCount; ++reel) {
        resting[reel] = engine::NudgedStop(reel, drawn[reel]);
        outcome.restingStops[reel] = static_cast<int8_t>(resting[reel]);
    }
    const engine::PaylineReading payline = engine::ReadPaylineForEvaluation(resting);
    const engine::PayRule rule = engine::MatchPayRule(payline.symbols);
    outcome.rule = static_cast<int8_t>(rule);
    outcome.bonusPoints = static_cast<int8_t>(payline.bonusPoints);
    outcome.reset = payline.reset;
    outcome.factor = static_cast<int16_t>(engine::PayFactor(rule));
    return outcome;
}

const CombinationTable& Combinations()
{
    static const CombinationTable table = [] {
        CombinationTable t{};
        for (size_t i = 0; i < t.size(); ++i) t[i] = EvaluateCombination(DrawnStops(i));
        return t;
    }();
    return table;
}

}  // namespace par
