// Loading and saving the game slots, and today's date as a saved game records it.
#include "store/GameStore.h"

#include <langinfo.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <utility>
#include <vector>

namespace store {

namespace {

constexpr std::size_t NameCharacters = 30;
constexpr std::size_t DateCharacters = 10;

// The keys of a slot, in the order they are written.
const std::vector<std::string>& SlotKeys()
{
    static const std::vector<std::string> keys = {"GameName", "GameDate",  "Credits",  "Borrowed",
                                                  "Spins",    "TotalBets", "BonusWon", "BonusPts"};
    return keys;
}

}  // namespace

std::string ProgramBaseName(const std::string& programPath)
{
    // stem() keeps ".hidden" and "plumfizz" whole and drops only a real extension.
    return std::filesystem::path(programPath).filename().stem().string();
}

char DateSeparatorFromFormat(std::string_view format)
{
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '%') {
            // Skip the conversion: flags, width, an E or O modifier, its letter.
            ++i;
            while (i < format.size() && std::string_view("-_0^#").find(format[i]) != std::string_view::npos) ++i;
            while (i < format.size() && format[i] >= '0' && format[i] <= '9') ++i;
            if (i < format.size() && (format[i] == 'E' || format[i] == 'O')) ++i;
            if (i < format.size() && format[i] == 'D') return '/';  // %D is %m/%d/%y
            if (i < format.size() && format[i] == 'F') return '-';  // %F is %Y-%m-%d
            continue;
        }
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80 && std::ispunct(byte)) return c;
    }
    return '/';
}

std::string FormatGameDate(const std::tm& date, char separator)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d%c%02d%c%02d", (date.tm_mon % 12 + 12) % 12 + 1, separator, date.tm_mday,
                  separator, (date.tm_year % 100 + 100) % 100);
    return text;
}

std::string TodayGameDate()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const char* format = nl_langinfo(D_FMT);
    return FormatGameDate(local, DateSeparatorFromFormat(format != nullptr ? format : ""));
}

GameStore::GameStore(const std::string& programBaseName) : GameStore(programBaseName, TodayGameDate)
{}

GameStore::GameStore(const std::string& programBaseName, std::function<std::string()> today)
    : file_(programBaseName + ".ini"), today_(std::move(today))
{}

std::string GameStore::SectionName(int slot)
{
    if (slot < 0 || slot > CurrentGameSlot) throw std::out_of_range("no game slot " + std::to_string(slot));
    return slot == CurrentGameSlot ? "CurrentGame" : "GameNo" + std::to_string(slot + 1);
}

void GameStore::LoadGameSlot(engine::GameState& state, int slot) const
{
    const std::string section = SectionName(slot);
    // One pass over the file for all eight keys.
    const std::vector<SettingValue> values = file_.ReadValues(section, SlotKeys());
    state.GameName = CutToCharacters(values[0].AsString(section), NameCharacters);
    state.GameDate = CutToCharacters(values[1].found ? values[1].text : today_(), DateCharacters);
    // No range checks: what the file holds is the game.
    state.Credits = values[2].AsInteger(1000);
    state.Borrowed = values[3].AsInteger(1000);
    state.Spins = values[4].AsInteger(0);
    state.TotalBets = values[5].AsInteger(0);
    state.BonusWon = values[6].AsInteger(0);
    state.BonusPts = values[7].AsInteger(0);
}

void GameStore::SaveGameSlot(const engine::GameState& state, int slot, const std::string& name) const
{
    const std::string section = SectionName(slot);
    const std::vector<std::string>& keys = SlotKeys();
    // The file object holds nothing but its path; a copy writes the same file.
    SettingsFile file = file_;
    file.WriteStrings(section, {{keys[0], name},
                                {keys[1], today_()},
                                {keys[2], std::to_string(state.Credits)},
                                {keys[3], std::to_string(state.Borrowed)},
                                {keys[4], std::to_string(state.Spins)},
                                {keys[5], std::to_string(state.TotalBets)},
                                {keys[6], std::to_string(state.BonusWon)},
                                {keys[7], std::to_string(state.BonusPts)}});
}

}  // namespace store
