// Finding the seed whose spin comes to rest on the stops a test wants.
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

engine::ReelStops DrawnStops(uint32_t seed)
{
    engine::Random random(seed);
    engine::ReelStops stops{};
    engine::MotionOffsets offsets{};
    engine::ChooseStops(random, 456, stops, offsets);
    return stops;
}

engine::ReelStops Rest(const engine::ReelStops& drawn)
{
    return {engine::NudgedStop(0, drawn[0]), engine::NudgedStop(1, drawn[1]), engine::NudgedStop(2, drawn[2])};
}

}  // namespace

engine::ReelStops RestingStopsFor(uint32_t seed)
{
    return Rest(DrawnStops(seed));
}

uint32_t SeedWhere(const std::function<bool(const engine::ReelStops&, const engine::ReelStops&)>& wanted)
{
    for (uint32_t seed = 1; seed <= 1000000; ++seed) {
        const engine::ReelStops drawn = DrawnStops(seed);
        if (wanted(drawn, Rest(drawn))) return seed;
    }
    ADD_FAILURE() << "no seed gives the wanted stops";
    return 0;
}

void TestTable::Read(const engine::Script& script)
{
    host.Read(script);
    if (!script.Empty()) settled.push_back(state);
    if (!game.BonusPickPending()) return;
    // The bonus window as the player uses it: a box, and the rest of the command.
    const int index = chooseBox ? chooseBox(host.lastPrizes) : pickedBox;
    const int box = index >= 0 && index < static_cast<int>(host.lastPrizes.size()) ? index + 1 : 0;
    Read(game.PickBonusBox(box));
}
