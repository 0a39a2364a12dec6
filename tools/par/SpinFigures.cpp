// Counting a spin's figures over weighted stop combinations.
#include "SpinFigures.h"

#include <algorithm>
#include <stdexcept>

namespace par {

SpinFigures CountSpinFigures(const CombinationTable& table, const std::vector<uint64_t>& weights)
{
    if (weights.size() != table.size()) throw std::invalid_argument("one weight per stop combination");
    const int32_t full = table.model.meterFull;
    SpinFigures f;
    f.points.assign(static_cast<size_t>(full) + 1, 0);
    for (size_t i = 0; i < table.size(); ++i) {
        const auto weight = static_cast<int64_t>(weights[i]);
        const CombinationOutcome& c = table[i];
        f.total += weight;
        if (c.Rule() != engine::PayRule::None) f.rules[static_cast<size_t>(c.rule)] += weight;
        if (c.factor > 0) {
            f.winning += weight;
            f.paidPerCoin += weight * c.factor;
        }
        if (c.reset) f.resets += weight;
        if (!c.emptiesMeter) {
            f.points[static_cast<size_t>(std::min<int32_t>(c.bonusPoints, full))] += weight;
        }
    }
    if (f.total <= 0) throw std::invalid_argument("no weight at all");
    return f;
}

SpinFigures IdealSpinFigures(const CombinationTable& table)
{
    return CountSpinFigures(table, std::vector<uint64_t>(static_cast<size_t>(StopCombinations), 1));
}

}  // namespace par
