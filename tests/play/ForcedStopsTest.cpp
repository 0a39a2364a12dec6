// Forced stops: the text the end-to-end build reads, and the source that puts
// the stops in place of the drawn ones without changing the draws.
#include "play/ForcedStops.h"

#include <gtest/gtest.h>

#include "engine/Random.h"

namespace {

using engine::ReelStops;

TEST(ForcedStops, ReadsThreeStopsInRange)
{
    EXPECT_EQ(play::ParseForcedStops("22,14,28"), (ReelStops{22, 14, 28}));
    EXPECT_EQ(play::ParseForcedStops("1,30,7"), (ReelStops{1, 30, 7}));
    EXPECT_EQ(play::ParseForcedStops(" 3 , 4 ,5 "), (ReelStops{3, 4, 5}));
}

TEST(ForcedStops, RejectsAnythingElse)
{
    for (const char* text : {"", "22,14", "22,14,28,1", "0,14,28", "22,31,28", "22,14,-1", "22,,28", "a,b,c",
                             "22;14;28", "22,14,28x", "1234,1,1", "22 14 28", ",22,14,28"}) {
        EXPECT_EQ(play::ParseForcedStops(text), std::nullopt) << text;
    }
    EXPECT_EQ(play::ParseForcedStops(nullptr), std::nullopt);
}

TEST(ForcedStops, ReplaceTheStopsButDrawAsTheGameDoes)
{
    engine::Random drawn(77), forced(77);
    ReelStops drawnStops{}, forcedStops{};
    engine::MotionOffsets drawnOffsets{}, forcedOffsets{};
    engine::DrawnOutcomes game;
    play::ForcedStops source(ReelStops{3, 4, 5});

    game.NextStops(drawn, 456, drawnStops, drawnOffsets);
    source.NextStops(forced, 456, forcedStops, forcedOffsets);
    EXPECT_EQ(forcedStops, (ReelStops{3, 4, 5}));
    EXPECT_EQ(forcedOffsets, drawnOffsets);
    EXPECT_EQ(forced.Seed(), drawn.Seed());

    // Without stops set it is the game's source.
    source.Force(std::nullopt);
    game.NextStops(drawn, 456, drawnStops, drawnOffsets);
    source.NextStops(forced, 456, forcedStops, forcedOffsets);
    EXPECT_EQ(forcedStops, drawnStops);
}

}  // namespace
