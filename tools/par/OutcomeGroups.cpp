// Grouping the combination table's outcomes and stepping the bonus meter.
#include "OutcomeGroups.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace par {

std::vector<OutcomeGroup> GroupOutcomes(const CombinationTable& table)
{
    const int32_t full = table.model.meterFull;
    std::map<std::tuple<int32_t, int32_t, bool>, int64_t> counts;
    for (const CombinationOutcome& c : table) {
        const int32_t points = c.emptiesMeter ? 0 : std::min<int32_t>(c.bonusPoints, full);
        ++counts[{c.factor, points, c.emptiesMeter}];
    }
    std::vector<OutcomeGroup> groups;
    for (const auto& [key, count] : counts) {
        groups.push_back({std::get<0>(key), std::get<1>(key), std::get<2>(key), count});
    }
    return groups;
}

MeterStep StepMeter(int level, const OutcomeGroup& group, int32_t meterFull)
{
    if (group.emptiesMeter) return {0, false};
    const int to = level + group.points;
    if (group.points > 0 && to >= meterFull) return {0, true};
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
