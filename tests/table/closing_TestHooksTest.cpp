#include "table/TestHooks.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using engine::ReelStops;

TEST(TestStops, ReadsThreeStopsInRange)
{
    EXPECT_EQ(table::ParseTestStops("22,14,28"), (ReelStops{22, 14, 28}));
    EXPECT_EQ(table::ParseTestStops("1,30,7"), (ReelStops{1, 30, 7}));
    EXPECT_EQ(table::ParseTestStops(" 3 , 4 ,5 "), (ReelStops{3, 4, 5}));
}

TEST(TestStops, RejectsAnythingElse)
{
    for (const char* text : {"", "22,14", "22,14,28,1", "0,14,28", "22,31,28", "22,14,-1", "22,,28", "a,b,c",
                             "22;14;28", "22,14,28x", "1234,1,1", "22 14 28", ",22,14,28"}) {
        EXPECT_EQ(table::ParseTestStops(text), std::nullopt) << text;
    }
    EXPECT_EQ(table::ParseTestStops(nullptr), std::nullopt);
}

// This test links the end-to-end build's variant, which reads the environment.
TEST(TestStopsOverride, FollowsTheEnvironmentInTheTestBuild)
{
    ::unsetenv("PLUMFIZZ_TEST_STOPS");
    EXPECT_EQ(table::TestStopsOverride(), std::nullopt);
    ::setenv("PLUMFIZZ_TEST_STOPS", "22,14,28", 1);
    EXPECT_EQ(table::TestStopsOverride(), (ReelStops{22, 14, 28}));
    ::setenv("PLUMFIZZ_TEST_STOPS", "22,14,99", 1);
    EXPECT_EQ(table::TestStopsOverride(), std::nullopt);
    ::unsetenv("PLUMFIZZ_TEST_STOPS");
}

}  // namespace
