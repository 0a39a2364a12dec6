// The current game kept in the program's saved-games file, and the history in
// the player's data.
#include "play/GameFiles.h"

#include <utility>

#include "store/GameStore.h"

namespace play {

SavedGamesFile::SavedGamesFile(std::string programBaseName) : programBaseName_(std::move(programBaseName))
{}

std::optional<std::string> SavedGamesFile::CheckAtStart()
{
    const store::GameStore games(programBaseName_);
    games.File().RemoveStaleTemporaries();
    if (const auto reason = games.File().Unreadable()) {
        return "Your saved games in " + games.File().Path().string() + " cannot be read: " + *reason +
               ". A new game starts; the file is left as it is.";
    }
    return std::nullopt;
}

void SavedGamesFile::LoadCurrentGame(engine::GameState& state)
{
    store::GameStore(programBaseName_).LoadGameSlot(state, store::CurrentGameSlot);
}

void SavedGamesFile::SaveCurrentGame(const engine::GameState& state)
{
    store::GameStore(programBaseName_).SaveGameSlot(state, store::CurrentGameSlot, "CurrentGame");
}

std::optional<std::string> SavedGamesFile::OpenHistory()
{
    const auto path = store::HistoryPath(programBaseName_);
    try {
        history_ = store::GameHistory::OpenForWriting(path);
        return std::nullopt;
    } catch (const std::exception& error) {
        return path.string() + ": " + error.what();
    }
}

std::optional<std::string> SavedGamesFile::Record(const store::HistoryEntry& entry)
{
    if (!history_) return "the history is not open";
    try {
        history_->Append(entry);
        return std::nullopt;
    } catch (const std::exception& error) {
        return store::HistoryPath(programBaseName_).string() + ": " + error.what();
    }
}

std::vector<store::StoredEntry> SavedGamesFile::LastSpins(int count)
{
    if (!history_) return {};
    try {
        return history_->LastSpins(count);
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace play
