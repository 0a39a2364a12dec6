// The current game kept in the program's saved-games file.
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

}  // namespace play
