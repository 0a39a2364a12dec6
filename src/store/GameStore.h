// The saved games: eight named slots and the current game, kept in the program's settings file,
// and the date each is saved with.
#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <string_view>

#include "SettingsFile.h"
#include "engine/GameState.h"

namespace store {

inline constexpr int CurrentGameSlot = 8;

// The program file's name without directory and extension ("plumfizz");
// a name without an extension is kept whole, and so is ".hidden".
std::string ProgramBaseName(const std::string& programPath);

// Today as "mm/dd/yy" with the locale's date separator.
std::string TodayGameDate();

// The date separator a strftime date format (the locale's D_FMT) uses: its
// first punctuation character outside the conversions; '/' when it has none.
char DateSeparatorFromFormat(std::string_view dateFormat);

// A date as "mm/dd/yy" with the given separator.
std::string FormatGameDate(const std::tm& date, char separator);

// The saved games: slots 0..7 are "GameNo1".."GameNo8", slot 8 "CurrentGame",
// in the file ProgramBaseName + ".ini".
class GameStore {
public:
    explicit GameStore(const std::string& programBaseName);
    // `today` stands in for TodayGameDate (tests fix the date with it).
    GameStore(const std::string& programBaseName, std::function<std::string()> today);

    // Throws std::out_of_range for a slot outside 0..8.
    void LoadGameSlot(engine::GameState& state, int slot) const;
    // Throws WriteError. The slot's keys are written in one replacement of the
    // file, so a failed save leaves the file as it was.
    void SaveGameSlot(const engine::GameState& state, int slot, const std::string& name) const;

    const SettingsFile& File() const { return file_; }

    // "GameNo1".."GameNo8", "CurrentGame".
    static std::string SectionName(int slot);

private:
    SettingsFile file_;
    std::function<std::string()> today_;
};

}  // namespace store
