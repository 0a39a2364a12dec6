// The current game kept in the program's saved-games file, and the history in
// the player's data.
#include "play/GameFiles.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "store/GameStore.h"

namespace play {

namespace {

// "1 spin", "8 spins"; the other entries when no spin is among them.
std::string CountInWords(const store::EntryCount& count)
{
    const bool spins = count.spins > 0 || count.entries == 0;
    const int64_t n = spins ? count.spins : count.entries;
    return std::to_string(n) + (spins ? " spin" : " entr") + (n == 1 ? (spins ? "" : "y") : (spins ? "s" : "ies"));
}

// What the player is told of what happened to the history; none when nothing did.
std::optional<std::string> HistoryNotice(const store::HistoryNews& news)
{
    std::vector<std::string> told;
    if (news.movedAside) {
        told.push_back("The game history was damaged (" + news.damage + "). It is kept as " +
                       news.movedAside->string() + ", and a new history is started.");
    }
    if (news.waitingMovedAside) {
        told.push_back("The spins waiting for the game history could not all be read; their file is kept as " +
                       news.waitingMovedAside->string() + ".");
    }
    if (news.stopped) {
        told.push_back("The game history cannot be kept for now (" + *news.stopped +
                       "). The game goes on; its spins wait and are added once it can be written again.");
    }
    if (news.keptAgain) {
        const int64_t n = news.keptAgain->spins > 0 ? news.keptAgain->spins : news.keptAgain->entries;
        told.push_back(n == 0 ? std::string("The game history is kept again.")
                              : "The game history is kept again; " + CountInWords(*news.keptAgain) +
                                    (n == 1 ? " was added." : " were added."));
    }
    if (told.empty()) return std::nullopt;
    std::string text;
    for (const std::string& sentence : told) text += (text.empty() ? "" : " ") + sentence;
    return text;
}

}  // namespace

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
    history_ = std::make_unique<store::HistoryKeeper>(store::HistoryPath(programBaseName_),
                                                      store::WaitingEntriesPath(programBaseName_));
    return HistoryNotice(history_->Open());
}

std::optional<std::string> SavedGamesFile::Record(const store::HistoryEntry& entry)
{
    if (!history_) return std::nullopt;
    return HistoryNotice(history_->Record(entry));
}

std::optional<std::string> SavedGamesFile::CloseHistory()
{
    if (!history_) return std::nullopt;
    history_->Close();
    const store::EntryCount lost = history_->WaitingInMemoryOnly();
    if (lost.entries == 0) return std::nullopt;
    return "The game history misses " + CountInWords(lost) + ", which could be written neither to it nor to " +
           history_->WaitingFilePath().string() + " (" + history_->LastFailure() + ").";
}

std::vector<store::StoredEntry> SavedGamesFile::LastSpins(int count)
{
    if (!history_ || !history_->History()) return {};
    try {
        return history_->History()->LastSpins(count);
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace play
