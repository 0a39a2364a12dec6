// Splitting the return per coin by source.
#include "ReturnSources.h"

#include <span>

#include "Names.h"
#include "OutcomeGroups.h"

namespace par {

namespace {

std::array<Fraction, engine::PayRuleCount> RuleReturns(const CombinationTable& table)
{
    std::array<int64_t, engine::PayRuleCount> paid{};
    for (const CombinationOutcome& c : table) {
        if (c.Rule() != engine::PayRule::None) paid[static_cast<size_t>(c.rule)] += c.factor;
    }
    std::array<Fraction, engine::PayRuleCount> returns;
    for (size_t i = 0; i < returns.size(); ++i) {
        returns[i] = Fraction(BigInt(paid[i]), BigInt(static_cast<int64_t>(table.size())));
    }
    return returns;
}

Fraction BonusPerSpin(const CombinationTable& table, std::span<const int32_t> prizes)
{
    return SolveMeterChain(CountMeterOutcomes(table)).bonusGamesPerSpin * PrizeExpectation(prizes);
}

Fraction Sum(const std::array<Fraction, engine::PayRuleCount>& parts)
{
    Fraction sum(0);
    for (const Fraction& part : parts) sum += part;
    return sum;
}

std::string Figure(const Fraction& f, bool exact)
{
    return exact ? f.ToString() : f.ToDecimal(8);
}

}  // namespace

SlotModel WithoutNudges(SlotModel model)
{
    for (auto& strip : model.strips) {
        for (StripPosition& position : strip) {
            if (position.form == Form::Up || position.form == Form::Down) position.form = Form::Plain;
        }
    }
    return model;
}

Fraction ReturnSources::PayTableWithoutNudges() const
{
    return Sum(ruleWithoutNudges);
}

Fraction ReturnSources::NudgesOnPayTable() const
{
    return Sum(ruleWithNudges) - Sum(ruleWithoutNudges);
}

Fraction ReturnSources::BonusWithoutNudges(int coins) const
{
    return bonusPerSpinWithoutNudges / Fraction(coins);
}

Fraction ReturnSources::NudgesOnBonus(int coins) const
{
    return (bonusPerSpinWithNudges - bonusPerSpinWithoutNudges) / Fraction(coins);
}

Fraction ReturnSources::Total(int coins) const
{
    return PayTableWithoutNudges() + NudgesOnPayTable() + BonusWithoutNudges(coins) + NudgesOnBonus(coins);
}

ReturnSources ComputeReturnSources(const CombinationTable& nudged, const CombinationTable& drawn)
{
    const std::span<const int32_t> prizes(nudged.model.prizes);
    ReturnSources sources;
    sources.ruleWithNudges = RuleReturns(nudged);
    sources.ruleWithoutNudges = RuleReturns(drawn);
    sources.bonusPerSpinWithNudges = BonusPerSpin(nudged, prizes);
    sources.bonusPerSpinWithoutNudges = BonusPerSpin(drawn, prizes);
    return sources;
}

std::vector<ReportTable> ReturnSourcesTables(const ReturnSources& s, bool exact)
{
    ReportTable bySource;
    bySource.key = "return_sources";
    bySource.title = "Where the return per coin comes from, by coins bet";
    bySource.columns = {"source"};
    for (int coins = 1; coins <= MaxBetCoins; ++coins)
        bySource.columns.push_back(std::to_string(coins) + (coins == 1 ? " coin" : " coins"));
    auto addRow = [&](const std::string& name, auto perCoin) {
        std::vector<std::string> row{name};
        for (int coins = 1; coins <= MaxBetCoins; ++coins) row.push_back(Figure(perCoin(coins), exact));
        bySource.rows.push_back(std::move(row));
    };
    for (size_t i = 0; i < s.ruleWithoutNudges.size(); ++i) {
        addRow(std::string(RuleName(static_cast<engine::PayRule>(i))), [&](int) { return s.ruleWithoutNudges[i]; });
    }
    addRow("bonus game", [&](int coins) { return s.BonusWithoutNudges(coins); });
    addRow("nudges: pay table", [&](int) { return s.NudgesOnPayTable(); });
    addRow("nudges: bonus game", [&](int coins) { return s.NudgesOnBonus(coins); });
    addRow("total", [&](int coins) { return s.Total(coins); });
    bySource.notes = {
        "Each pay rule and the bonus game are counted on the reels as drawn, with the nudges left out: every reel "
        "rests on the stop drawn for it, and its payline symbol, Bonus points and Reset are read there, so the "
        "Up and Down forms still pay as their symbol but never move the reel. The two nudge rows are what the "
        "nudges add to that, on the pay table and, through the Bonus and Reset symbols they bring onto the "
        "payline, on the bonus game: the game as played less the game without nudges.",
        "The rows add up exactly to the total return per coin of the sheet; the bonus prize does not grow with "
        "the bet, so its share per coin falls as the bet rises."};
    if (s.bonusPerSpinWithNudges == s.bonusPerSpinWithoutNudges) {
        bySource.notes.push_back(
            "On these reels the nudges leave the bonus meter's chances as they are, so they add "
            "nothing to the bonus game.");
    }

    ReportTable byRule;
    byRule.key = "return_by_rule_nudges";
    byRule.title = "Each pay rule's return per coin with and without the nudges";
    byRule.columns = {"rule", "without nudges", "with nudges", "the nudges add"};
    for (size_t i = 0; i < s.ruleWithNudges.size(); ++i) {
        byRule.rows.push_back({RuleName(static_cast<engine::PayRule>(i)), Figure(s.ruleWithoutNudges[i], exact),
                               Figure(s.ruleWithNudges[i], exact),
                               Figure(s.ruleWithNudges[i] - s.ruleWithoutNudges[i], exact)});
    }
    byRule.rows.push_back({"pay table", Figure(s.PayTableWithoutNudges(), exact), Figure(Sum(s.ruleWithNudges), exact),
                           Figure(s.NudgesOnPayTable(), exact)});
    byRule.rows.push_back({"bonus game, credits per spin", Figure(s.bonusPerSpinWithoutNudges, exact),
                           Figure(s.bonusPerSpinWithNudges, exact),
                           Figure(s.bonusPerSpinWithNudges - s.bonusPerSpinWithoutNudges, exact)});
    byRule.notes = {
        "A nudge can take a win away as well as bring one: a rule's row is negative when its symbols "
        "are nudged off the payline more often than onto it."};
    return {bySource, byRule};
}

}  // namespace par
