// Where the return comes from: each pay rule on the reels as drawn, the part the Up and Down nudges
// add, and the bonus game, exactly and adding up to the total return per coin at each bet.
#pragma once

#include <array>

#include "CombinationTable.h"
#include "Fraction.h"
#include "ParSheet.h"
#include "Report.h"

namespace par {

// The model with the nudges left out: its Up and Down forms drawn plain, so
// that every reel rests where it was drawn and the payline (symbols, Bonus
// points, Reset) is read there.
SlotModel WithoutNudges(SlotModel model);

struct ReturnSources {
    // Per coin, the same at every bet.
    std::array<Fraction, engine::PayRuleCount> ruleWithoutNudges;
    std::array<Fraction, engine::PayRuleCount> ruleWithNudges;
    // Credits per spin, whatever the bet: bonus games per spin x expected prize.
    Fraction bonusPerSpinWithoutNudges;
    Fraction bonusPerSpinWithNudges;

    Fraction PayTableWithoutNudges() const;
    Fraction NudgesOnPayTable() const;             // per coin
    Fraction BonusWithoutNudges(int coins) const;  // per coin
    Fraction NudgesOnBonus(int coins) const;       // per coin
    // The sum of the sources: the total return per coin.
    Fraction Total(int coins) const;
};

// nudged: the model's table as the game plays it; drawn: the table of the
// same model without its nudges (WithoutNudges). The prizes are the nudged
// model's boxes, one picked at random.
ReturnSources ComputeReturnSources(const CombinationTable& nudged, const CombinationTable& drawn);

// The sources by bet, and each rule with and without the nudges.
std::vector<ReportTable> ReturnSourcesTables(const ReturnSources& sources, bool exact);

}  // namespace par
