// The count-up of a win: its steps and their sizes, the credits rising with each, and the limit.
#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <string>

#include "TestSupport.h"

namespace {

struct CountUp {
    std::map<int32_t, int> stepsBySize;
    int steps = 0;
};

// Runs CountUpWin for a win and reads the steps back from the Winnings
// figures drawn, checking the order of each step's calls on the way.
CountUp Count(int32_t win, int32_t credits = 0)
{
    TestTable t;
    t.state.Credits = credits;
    t.state.SpinWin = win;
    t.CountUp();

    CountUp result;
    const auto& calls = t.host.calls;
    EXPECT_EQ(calls.size() % 4, 0u);
    int32_t shown = 0;
    for (size_t i = 0; i + 3 < calls.size(); i += 4) {
        EXPECT_EQ(calls[i], "Sound 3");
        EXPECT_EQ(calls[i + 1].rfind("Credits=", 0), 0u);
        EXPECT_EQ(calls[i + 2].rfind("Winnings=", 0), 0u);
        EXPECT_EQ(calls[i + 3], "Delay 0.075");
        const int32_t now = std::stoi(calls[i + 2].substr(9));
        ++result.stepsBySize[now - shown];
        ++result.steps;
        shown = now;
    }
    EXPECT_EQ(shown, std::max(win, 0));
    EXPECT_EQ(t.state.SpinWin, std::min(win, 0));
    return result;
}

TEST(CountUpWin, StepCounts)
{
    const CountUp c25 = Count(25);
    EXPECT_EQ(c25.steps, 21);
    EXPECT_EQ(c25.stepsBySize, (std::map<int32_t, int>{{5, 1}, {1, 20}}));

    const CountUp c100 = Count(100);
    EXPECT_EQ(c100.steps, 35);
    EXPECT_EQ(c100.stepsBySize, (std::map<int32_t, int>{{10, 1}, {5, 14}, {1, 20}}));

    const CountUp c7500 = Count(7500);
    EXPECT_EQ(c7500.steps, 384);
    EXPECT_EQ(c7500.stepsBySize, (std::map<int32_t, int>{{25, 261}, {10, 88}, {5, 15}, {1, 20}}));
}

TEST(CountUpWin, CreditsRiseWithEachStep)
{
    TestTable t;
    t.state.Credits = 990;
    t.state.SpinWin = 12;
    t.CountUp();
    EXPECT_EQ(t.state.Credits, 1002);
    const auto credits = t.host.Matching("Credits=");
    ASSERT_EQ(credits.size(), 12u);
    EXPECT_EQ(credits.front(), "Credits=991");
    EXPECT_EQ(credits.back(), "Credits=1002");
}

TEST(CountUpWin, NothingToCount)
{
    for (int32_t win : {0, -40}) {
        TestTable t;
        t.state.Credits = 10;
        t.state.SpinWin = win;
        t.CountUp();
        EXPECT_TRUE(t.host.calls.empty());
        EXPECT_EQ(t.state.Credits, 10);
    }
}

TEST(CountUpWin, CreditsSaturateAtTheLimit)
{
    const int32_t max = std::numeric_limits<int32_t>::max();
    TestTable t;
    t.state.Credits = max - 30;
    t.state.SpinWin = 1250;
    t.CountUp();
    EXPECT_EQ(t.state.Credits, max);
    EXPECT_EQ(t.state.SpinWin, 0);
    EXPECT_EQ(t.host.Matching("Winnings=").back(), "Winnings=1250");
}

}  // namespace
