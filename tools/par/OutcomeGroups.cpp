// Grouping the combination table's outcomes and stepping the bonus meter.
#include "OutcomeGroups.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "engine/BonusMeter.h"

namespace par {

std::vector<OutcomeGroup> GroupOutcomes(const CombinationTable& table)
{
    std::map<std::tuple<int32_t, int32_t, bool>, int64_t> counts;
    for (const CombinationOutcome& c : table) {
        const int32_t points = c.reset ? 0 : std::min<int32_t>(c.bonusPoints, engine::BonusMeterFull);
        ++counts[{c.factor, points, c.reset}];
    }
    std::vector<OutcomeGroup> groups;
    for (const auto& [key, count] : counts) {
        groups.push_back({std::get<0>(key), std::get<1>(key), std::get<2>(key), count});
    }
    return groups;
}

MeterOutcomes MeterOutcomesOf(const CombinationTable& table)
{
    MeterOutcomes outcomes;
    for (const OutcomeGroup& g : GroupOutcomes(table)) {
        outcomes.combinations += g.combinations;
        if (g.reset) {
            outcomes.resets += g.combinations;
        } else {
            outcomes.points[static_cast<size_t>(g.points)] += g.combinations;
        }
    }
    return outcomes;
}

MeterStep StepMeter(int level, const OutcomeGroup& group)
{
    if (group.reset) return {0, false};
    const int to = level + group.points;
    if (group.points > 0 && to >= engine::BonusMeterFull) return {0, true};
    return {to, false};
}

Fraction PrizeExpectation(std::span<const int32_t> prizes)
{
    if (prizes.empty()) return Fraction(0);
    int64_t sum = 0;
    for (int32_t prize : prizes) sum += prize;
    return Fraction(BigInt(sum), BigInt(static_cast<int64_t>(prizes.size())));
}

}  // namespace par
