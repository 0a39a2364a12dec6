// The windows the menu opens beside the table: borrow, statistics, the payoff
// chart, the version box, the slot dialog, the manual, the sponsors and the
// update reminder. Each is made when opened and gone when closed.
#pragma once

#include <QString>
#include <QWidget>

#include <optional>

#include "desktop/Platform.h"
#include "dialogs/MessageBoxes.h"
#include "dialogs/TableDialogs.h"
#include "engine/GameState.h"
#include "engine/Random.h"
#include "pictures/PictureSet.h"
#include "store/GameHistory.h"
#include "table/Theme.h"

namespace dialogs {
enum class SlotDialogMode;
}

namespace table {

// The windows that change nothing of the game show an error that escapes
// them themselves; Borrow and Slots leave it to their caller.
class SideWindows {
public:
    // The owner is the main window; boxes and the manual go to the window in front.
    SideWindows(QWidget& owner, desktop::Platform& platform, dialogs::MessageBoxes& boxes,
                dialogs::TableDialogs& tableDialogs, const Theme& theme, const pictures::PictureSet& pictures);

    // The borrow window for a table of the given layout width.
    void Borrow(engine::GameState& state, int layoutWidth);
    // A snapshot: during a spin the figures are those of the moment it opened.
    void Statistics(const engine::GameState& state);
    void PayoffChart();
    void Version();
    void Sponsors(engine::Random& random);
    // The game history, read as it stands when opened; the spin chosen for
    // recall, when recall is possible and one was.
    std::optional<store::StoredEntry> History(bool canRecall);
    void GamesPage();
    // Open Game or Save Game; true when a game was opened in place of the running one.
    bool Slots(dialogs::SlotDialogMode mode, engine::GameState& state);
    // The update reminder at closing: the question when it is due, the
    // game's page when asked for; why its file could not be written, if so.
    std::optional<QString> UpdateReminder();
    // A logout answers no question: open boxes and dialogs are dismissed so
    // that the command behind them can end and the close can follow.
    void DismissBoxes();
    // The manual at a help topic, for the window in front; a missing manual is told.
    void Help(int topic);

private:
    // The modal window in front, or the main window.
    QWidget* Front() const;

    QWidget& owner_;
    desktop::Platform& platform_;
    dialogs::MessageBoxes& boxes_;
    dialogs::TableDialogs& tableDialogs_;
    const Theme& theme_;
    const pictures::PictureSet& pictures_;
};

}  // namespace table
