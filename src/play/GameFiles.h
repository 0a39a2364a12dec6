// Where the running game is kept between runs, and its history: the interface
// the play saves through, and the one that keeps the game in the player's
// saved-games file and its history in the player's data.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/GameState.h"
#include "store/GameHistory.h"
#include "store/HistoryKeeper.h"

namespace play {

class GameFiles {
public:
    virtual ~GameFiles() = default;

    // Start-up: removes what writers killed mid-save left behind; the reason
    // the saved games cannot be read, if they are there but unreadable.
    virtual std::optional<std::string> CheckAtStart() = 0;
    // The game that was running when the program last closed; a missing
    // file or key leaves the field as it is.
    virtual void LoadCurrentGame(engine::GameState& state) = 0;
    // Throws a std::exception whose text says why the game was not written.
    virtual void SaveCurrentGame(const engine::GameState& state) = 0;

    // The game's history: opened at start, then one entry at a time; an entry
    // that cannot be written waits and goes in with a later one. Each gives
    // what the player is to be told, if anything: that the history cannot
    // be kept for now, that it is kept again, that a damaged one was moved aside.
    virtual std::optional<std::string> OpenHistory() = 0;
    virtual std::optional<std::string> Record(const store::HistoryEntry& entry) = 0;
    // At closing, a last try at writing what waits; what the player is to be
    // told: how many spins the history misses, when some could be kept nowhere.
    virtual std::optional<std::string> CloseHistory() = 0;
    // The last `count` spins kept, newest first; none when the history cannot be read.
    virtual std::vector<store::StoredEntry> LastSpins(int count) = 0;
};

// The current game in the program's saved-games file, beside the eight slots.
class SavedGamesFile final : public GameFiles {
public:
    explicit SavedGamesFile(std::string programBaseName);

    std::optional<std::string> CheckAtStart() override;
    void LoadCurrentGame(engine::GameState& state) override;
    void SaveCurrentGame(const engine::GameState& state) override;
    std::optional<std::string> OpenHistory() override;
    std::optional<std::string> Record(const store::HistoryEntry& entry) override;
    std::optional<std::string> CloseHistory() override;
    std::vector<store::StoredEntry> LastSpins(int count) override;

private:
    std::string programBaseName_;
    std::unique_ptr<store::HistoryKeeper> history_;
};

}  // namespace play
