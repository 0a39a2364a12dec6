// The history window: the game's history newest first, a page at a time,
// with the totals of the spins shown set beside the machine's long-run
// return for their bet.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "store/GameHistory.h"

namespace dialogs {

// What the spins and bonus games of a page add up to.
struct HistoryTotals {
    int spins = 0;
    int64_t bets = 0;
    int64_t wins = 0;  // the pay table's wins and the bonus prizes
    int32_t largestWin = 0;
    int bonusGames = 0;
    std::set<int32_t> betsPlayed;
};
HistoryTotals TotalsOf(const std::vector<store::StoredEntry>& entries);

// The totals as the window words them, and the machine's long-run return for
// the bets played ("" when no spin is shown).
QString TotalsText(const HistoryTotals& totals);
QString LongRunText(const HistoryTotals& totals);

// An entry's time as the player reads it: the date as the saved games write
// it ("mm/dd/yy" with the locale's separator) and the local time to the second.
QString HistoryTime(const std::string& utc);
// The nudges kept with a spin ("-", "D", "U" or "DU" a reel) in words and
// arrows: "Left down \u2193; right up \u2191"; "" for none.
QString NudgesText(const std::string& nudges);
// A pay rule kept with a spin, as the pay table shows its row: "Plum, plum, any".
QString RuleText(const std::string& rule);

class HistoryWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int PageSize = 50;

    // Reads the history at `path`: none yet shows an empty list; one that
    // cannot be read says why in the window. With `canRecall`, Recall closes
    // the window with the spin chosen.
    explicit HistoryWindow(const std::filesystem::path& path, bool canRecall = false, QWidget* owner = nullptr);

    // The spin chosen for recall, if any.
    const std::optional<store::StoredEntry>& Chosen() const { return chosen_; }
    ~HistoryWindow() override;

    QTableWidget Table;
    QLabel EmptyLabel;  // in the table's place while there is nothing to list
    QLabel PageLabel;
    QLabel TotalsLabel;
    QLabel MachineLabel;
    QPushButton NewerButton;
    QPushButton OlderButton;
    QPushButton RecallButton;
    QPushButton CloseButton;

    void NewerClick();
    void OlderClick();
    void RecallClick();

private:
    void Show(std::vector<store::StoredEntry> page);

    std::unique_ptr<store::GameHistory> history_;
    std::vector<store::StoredEntry> page_;
    int64_t entryCount_ = 0;
    int64_t newerCount_ = 0;  // entries newer than the page shown
    bool canRecall_ = false;
    std::optional<store::StoredEntry> chosen_;
    // The spin on the selected row, if the row is one.
    const store::StoredEntry* SelectedSpin() const;
};

}  // namespace dialogs
