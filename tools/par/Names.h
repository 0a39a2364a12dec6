// The symbols, their forms and the pay-table rules named as the pay chart shows them.
#pragma once

#include <cstdint>
#include <string>

#include "SlotModel.h"
#include "engine/PayTable.h"

namespace par {

// "plum", "seven", "triple bar", "double bar", "single bar" for codes 0..4,
// "blank" for any other.
const char* SymbolName(int32_t code);

// The name the pay chart gives a payline reading: a symbol, "blank", or
// "Reset" for engine::NoSymbol.
const char* PaylineName(int32_t symbol);

// A strip position of a model as drawn: "single bar", "double bar (Up)",
// "single bar (Down)", "triple bar (Bonus, 3 points)", "Reset" or "blank".
std::string PositionName(const SlotModel& model, int reel, int32_t position);

// "three plums", "two plums, any third", ..., "nothing".
const char* RuleName(engine::PayRule rule);

}  // namespace par
