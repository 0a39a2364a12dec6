// Building the table of the 27,000 drawn stop combinations from a model.
#include "CombinationTable.h"

namespace par {

engine::ReelStops DrawnStops(size_t index)
{
    const auto length = static_cast<size_t>(engine::StripLength);
    return {static_cast<int32_t>(index / (length * length)) + 1, static_cast<int32_t>(index / length % length) + 1,
            static_cast<int32_t>(index % length) + 1};
}

CombinationOutcome EvaluateCombination(const SlotModel& model, const engine::ReelStops& drawn)
{
    CombinationOutcome outcome;
    engine::PaylineSymbols symbols{};
    int32_t points = 0;
    for (int reel = 0; reel < engine::ReelCount; ++reel) {
        const int32_t resting = model.NudgedStop(reel, drawn[reel]);
        outcome.restingStops[reel] = static_cast<int8_t>(resting);
        const int32_t payline = resting + 1;
        symbols[reel] = model.PaylineSymbol(reel, payline);
        points += model.PointsAt(reel, payline);
        outcome.reset |= model.At(reel, payline).form == Form::Reset;
    }
    const engine::PayRule rule = engine::MatchPayRule(symbols);
    outcome.rule = static_cast<int8_t>(rule);
    outcome.bonusPoints = static_cast<int8_t>(points);
    outcome.emptiesMeter = outcome.reset && model.reset == ResetRule::EmptiesMeter;
    outcome.factor = model.PayFactor(rule);
    return outcome;
}

CombinationTable BuildCombinationTable(const SlotModel& model)
{
    CombinationTable table;
    table.model = model;
    table.outcomes.resize(static_cast<size_t>(StopCombinations));
    for (size_t i = 0; i < table.outcomes.size(); ++i) table.outcomes[i] = EvaluateCombination(model, DrawnStops(i));
    return table;
}

const CombinationTable& DefaultCombinations()
{
    static const CombinationTable table = BuildCombinationTable(DefaultModel());
    return table;
}

}  // namespace par
