// Shared by the hostile-file tests: a saved-games file in a folder of its own,
// written with chosen bytes and read back slot by slot.
#pragma once

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdlib.h>
#include <array>
#include <cstdint>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "engine/GameState.h"
#include "store/GameStore.h"

namespace fs = std::filesystem;
using engine::GameState;
using store::GameStore;
using store_test::ReadBytes;
using store_test::WriteBytes;

namespace hostile {

constexpr int SlotCount = store::CurrentGameSlot + 1;
using AllSlots = std::array<GameState, SlotCount>;

inline ::testing::AssertionResult SameSavedFields(const GameState& a, const GameState& b)
{
    if (a.GameName == b.GameName && a.GameDate == b.GameDate && a.Credits == b.Credits && a.Borrowed == b.Borrowed &&
        a.Spins == b.Spins && a.TotalBets == b.TotalBets && a.BonusWon == b.BonusWon && a.BonusPts == b.BonusPts)
        return ::testing::AssertionSuccess();
    auto show = [](const GameState& s) {
        return "{" + ::testing::PrintToString(s.GameName) + ", " + ::testing::PrintToString(s.GameDate) + ", " +
               std::to_string(s.Credits) + ", " + std::to_string(s.Borrowed) + ", " + std::to_string(s.Spins) + ", " +
               std::to_string(s.TotalBets) + ", " + std::to_string(s.BonusWon) + ", " + std::to_string(s.BonusPts) +
               "}";
    };
    return ::testing::AssertionFailure() << show(a) << " differs from " << show(b);
}

class HostileFilesTest : public store_test::StoreTest {
protected:
    GameStore store_{"plumfizz", [] { return std::string("12/06/26"); }};

    fs::path FilePath() const { return profile_ / "plumfizz.ini"; }

    GameState Load(int slot) const
    {
        GameState state;
        store_.LoadGameSlot(state, slot);
        return state;
    }

    AllSlots LoadAll() const
    {
        AllSlots slots;
        for (int slot = 0; slot < SlotCount; ++slot) slots[slot] = Load(slot);
        return slots;
    }

    // Saving one slot gives that game back and leaves every other slot as it read before.
    void ExpectSaveKeepsTheOthers(const GameState& game, int slot, const std::string& name)
    {
        const AllSlots before = LoadAll();
        store_.SaveGameSlot(game, slot, name);
        GameState expected = game;
        expected.GameName = name;
        expected.GameDate = "12/06/26";
        const AllSlots after = LoadAll();
        for (int other = 0; other < SlotCount; ++other) {
            EXPECT_TRUE(SameSavedFields(after[other], other == slot ? expected : before[other]))
                << "slot " << other << " after saving slot " << slot;
        }
    }

    static GameState Sample()
    {
        GameState state;
        state.Credits = 4321;
        state.Borrowed = 3000;
        state.Spins = 99;
        state.TotalBets = 250;
        state.BonusWon = 75;
        state.BonusPts = 11;
        return state;
    }
};

}  // namespace hostile
