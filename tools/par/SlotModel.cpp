// The model's lookups, and the game's own model read from the engine's data.
#include "SlotModel.h"

#include "engine/BonusMeter.h"
#include "engine/Reels.h"

namespace par {

const StripPosition& SlotModel::At(int reel, int32_t position) const
{
    return strips[static_cast<size_t>(reel)][static_cast<size_t>(engine::WrapPosition(position) - 1)];
}

int32_t SlotModel::NudgedStop(int reel, int32_t stop) const
{
    stop = engine::WrapPosition(stop);
    // Down: a Down form in the top row comes onto the payline.
    if (At(reel, stop).form == Form::Down) stop = engine::WrapPosition(stop - 1);
    // Up, judged on the stop as it now stands: an Up form in the bottom row.
    if (At(reel, stop + 2).form == Form::Up) stop = engine::WrapPosition(stop + 1);
    return stop;
}

int32_t SlotModel::PaylineSymbol(int reel, int32_t position) const
{
    const StripPosition& p = At(reel, position);
    return p.form == Form::Reset ? engine::NoSymbol : p.symbol;
}

int32_t SlotModel::PointsAt(int reel, int32_t position) const
{
    const StripPosition& p = At(reel, position);
    return p.form == Form::Bonus && p.symbol >= 0 && p.symbol < ModelSymbols
               ? bonusPoints[static_cast<size_t>(p.symbol)]
               : 0;
}

int32_t SlotModel::PayFactor(engine::PayRule rule) const
{
    const auto index = static_cast<size_t>(rule);
    return index < payFactors.size() ? payFactors[index] : 0;
}

namespace {

// The form of a symbol-sheet cell: 5..7 Up, 8..10 Down, 11..13 Bonus, 14 Reset.
Form FormOfCell(int32_t cell)
{
    if (cell >= 5 && cell <= 7) return Form::Up;
    if (cell >= 8 && cell <= 10) return Form::Down;
    if (cell >= 11 && cell <= 13) return Form::Bonus;
    if (cell == 14) return Form::Reset;
    return Form::Plain;
}

SlotModel ReadEngineModel()
{
    SlotModel model;
    for (int reel = 0; reel < engine::ReelCount; ++reel) {
        for (int32_t position = 1; position <= engine::StripLength; ++position) {
            StripPosition& p = model.strips[static_cast<size_t>(reel)][static_cast<size_t>(position - 1)];
            p.form = FormOfCell(engine::CellAt(reel, position));
            p.symbol = static_cast<int8_t>(p.form == Form::Reset ? engine::BlankCode : engine::CodeAt(reel, position));
        }
    }
    for (int rule = 0; rule < engine::PayRuleCount; ++rule)
        model.payFactors[static_cast<size_t>(rule)] = engine::PayFactor(static_cast<engine::PayRule>(rule));
    model.meterFull = engine::BonusMeterFull;
    model.reset = ResetRule::EmptiesMeter;
    for (int32_t symbol = 0; symbol < ModelSymbols; ++symbol)
        model.bonusPoints[static_cast<size_t>(symbol)] = engine::reeldata::BonusPointsOfCode(symbol);
    model.prizes = engine::BonusPrizeFill;
    return model;
}

}  // namespace

const SlotModel& DefaultModel()
{
    static const SlotModel model = ReadEngineModel();
    return model;
}

}  // namespace par
