// The analysis tool's outcomes: the game's stops, and the prize shuffle (and, declared in
// PlayModel.h, the attention picks) in vector instructions where the processor has them.
#pragma once

#include "engine/Outcomes.h"

namespace par {

// The same prizes and final seed as engine::ShuffleBonusPrizes. Returns
// false, changing nothing, where the processor lacks the instructions.
bool ShuffleBonusPrizesVectorized(engine::Random& random, engine::BonusPrizes& prizes);

class AnalysisOutcomes final : public engine::DrawnOutcomes {
public:
    void ShufflePrizes(engine::Random& random, engine::BonusPrizes& prizes) override;
};

}  // namespace par
