#pragma once

#include <string>

#include "SettingsFile.h"
#include "engine/GameState.h"

namespace store {

inline constexpr int CurrentGameSlot = 8;

// The program file's name without directory and extension ("plumfizz").
std::string ProgramBaseName(const std::string& programPath);

// Today as "mm/dd/yy" with the locale's date separator.
std::string TodayGameDate();

// The saved games: slots 0..7 are "GameNo1".."GameNo8", slot 8 "CurrentGame",
// in the file ProgramBaseName + ".ini".
class GameStore {
public:
    explicit GameStore(const std::string& programBaseName);

    void LoadGameSlot(engine::GameState& state, int slot) const;
    // Throws WriteError; keys written before the failure stay in the file.
    void SaveGameSlot(const engine::GameState& state, int slot, const std::string& name) const;

    const SettingsFile& File() const { return file_; }

private:
    SettingsFile file_;
};

}  // namespace store
