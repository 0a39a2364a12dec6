// The analysis tool's outcomes: the game's stops, and the prize shuffle (and, declared in
// PlayModel.h, the attention picks) in vector instructions where the processor has them.
#pragma once

#include "engine/Outcomes.h"

namespace par {

// The vector instructions the tool's fast paths use: SSE4.1 with SSSE3 for
// the bonus shuffle, AVX2 with POPCNT for everything.
enum class VectorLevel { None, Sse41, Avx2 };

// The processor's level, at most the limit (the highest unless lowered).
VectorLevel UsableVectorLevel();
// Lowers (or raises back) the limit, so that the tests run the plainer paths
// on any processor.
void LimitVectorLevel(VectorLevel limit);

// The same prizes and final seed as engine::ShuffleBonusPrizes. Returns
// false, changing nothing, where the processor lacks the instructions.
bool ShuffleBonusPrizesVectorized(engine::Random& random, engine::BonusPrizes& prizes);

class AnalysisOutcomes final : public engine::DrawnOutcomes {
public:
    void ShufflePrizes(engine::Random& random, engine::BonusPrizes& prizes) override;
};

}  // namespace par
