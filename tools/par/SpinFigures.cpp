// Counting a spin's figures over weighted stop combinations.
#include "SpinFigures.h"

#include <algorithm>
#include <stdexcept>

#include "CombinationTable.h"

namespace par {

SpinFigures CountSpinFigures(const std::vector<uint64_t>& weights)
{
    const CombinationTable& table = Combinations();
    if (weights.size() != table.size()) throw std::invalid_argument("one weight per stop combination");
    SpinFigures f;
    for (size_t i = 0; i < table.size(); ++i) {
        const auto weight = static_cast<int64_t>(weights[i]);
        const CombinationOutcome& c = table[i];
        f.total += weight;
        if (c.Rule() != engine::PayRule::None) {
            f.rules[static_cast<size_t>(c.rule)] += weight;
            f.winning += weight;
            f.paidPerCoin += weight * c.factor;
        }
        if (c.reset) {
            f.resets += weight;
        } else {
            f.points[static_cast<size_t>(std::min<int32_t>(c.bonusPoints, engine::BonusMeterFull))] += weight;
        }
    }
    if (f.total <= 0) throw std::invalid_argument("no weight at all");
    return f;
}

SpinFigures IdealSpinFigures()
{
    return CountSpinFigures(std::vector<uint64_t>(static_cast<size_t>(StopCombinations), 1));
}

}  // namespace par
