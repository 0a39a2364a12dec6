// The history window: pages of fifty entries newest first, paging back and
// forth through all of them, the totals of what is shown beside the machine's
// long-run return, and a history that cannot be read.
#include "dialogs/HistoryWindow.h"

#include <QDateTime>
#include <QFile>
#include <QHeaderView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "dialogs/LongRunReturns.h"
#include "engine/PayTable.h"
#include "play/SpokenTable.h"

namespace {

using store::HistoryEntry;
using store::HistoryKind;

class HistoryWindowTest : public ::testing::Test {
protected:
    // `spins` spins of one coin (each wins its number), with a bonus game after every tenth.
    void Fill(int spins)
    {
        auto history = store::GameHistory::OpenForWriting(path_);
        int32_t credits = 1000;
        for (int spin = 1; spin <= spins; ++spin) {
            HistoryEntry entry;
            entry.kind = HistoryKind::Spin;
            entry.bet = 1;
            entry.win = spin;
            entry.creditsBefore = credits;
            entry.creditsAfter = credits = credits - 1 + spin;
            history->Append(entry);
            if (spin % 10 == 0) {
                HistoryEntry bonus;
                bonus.kind = HistoryKind::Bonus;
                bonus.box = 1;
                bonus.prize = 25;
                bonus.creditsBefore = credits;
                bonus.creditsAfter = credits += 25;
                history->Append(bonus);
            }
        }
    }
    std::string Cell(const dialogs::HistoryWindow& window, int row, int column) const
    {
        return window.Table.item(row, column)->text().toStdString();
    }

    QTemporaryDir dir_;
    std::filesystem::path path_ = (dir_.path() + QStringLiteral("/history.sqlite")).toStdString();
};

TEST_F(HistoryWindowTest, PagesGoBackAndForthThroughEveryEntryNewestFirst)
{
    Fill(100);  // and ten bonus games: 110 entries
    dialogs::HistoryWindow window(path_);
    ASSERT_EQ(window.Table.rowCount(), 50);
    EXPECT_EQ(Cell(window, 0, 1), "bonus");
    EXPECT_EQ(Cell(window, 1, 6), "100");
    EXPECT_EQ(window.PageLabel.text().toStdString(), "Entries 1 to 50 of 110, newest first");
    EXPECT_FALSE(window.NewerButton.isEnabled());
    EXPECT_TRUE(window.OlderButton.isEnabled());

    window.OlderButton.click();
    window.OlderButton.click();
    EXPECT_EQ(window.Table.rowCount(), 10);
    EXPECT_EQ(window.PageLabel.text().toStdString(), "Entries 101 to 110 of 110, newest first");
    EXPECT_EQ(Cell(window, 9, 6), "1");  // the first spin
    EXPECT_FALSE(window.OlderButton.isEnabled());

    window.NewerButton.click();
    EXPECT_EQ(window.PageLabel.text().toStdString(), "Entries 51 to 100 of 110, newest first");
    window.NewerButton.click();
    EXPECT_EQ(Cell(window, 0, 1), "bonus");
    EXPECT_FALSE(window.NewerButton.isEnabled());
}

TEST_F(HistoryWindowTest, TotalsOfWhatIsShownStandBesideTheMachinesReturn)
{
    Fill(20);
    dialogs::HistoryWindow window(path_);
    // 20 one-coin spins winning 1..20 (210) and two bonus games of 25.
    const std::string totals = window.TotalsLabel.text().toStdString();
    EXPECT_NE(totals.find("Shown: 20 spins, 20 bet, 260 won"), std::string::npos) << totals;
    EXPECT_NE(totals.find("largest win 25, 2 bonus games"), std::string::npos) << totals;
    const std::string machine = window.MachineLabel.text().toStdString();
    EXPECT_NE(machine.find(QLocale().toString(100.0 * dialogs::LongRunReturnPerCoin[0], 'f', 2).toStdString() +
                           " % at 1 coin"),
              std::string::npos)
        << machine;
    EXPECT_GT(dialogs::LongRunReturnPerCoin[0], dialogs::LongRunReturnPerCoin[4]);  // the prize favours small bets
}

TEST_F(HistoryWindowTest, NoHistoryAndADamagedOneOpenWithoutEntries)
{
    {
        dialogs::HistoryWindow window(path_);
        EXPECT_EQ(window.Table.rowCount(), 0);
        EXPECT_EQ(window.PageLabel.text().toStdString(), "No entries yet.");
        EXPECT_TRUE(window.MachineLabel.text().isEmpty());
        // The empty list says so in its place.
        EXPECT_TRUE(window.Table.isHidden());
        EXPECT_FALSE(window.EmptyLabel.isHidden());
        EXPECT_TRUE(window.EmptyLabel.text().startsWith(QStringLiteral("There is no history yet.")));
    }
    QFile damaged(QString::fromStdString(path_.string()));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(4096, 'Z'));
    damaged.close();
    dialogs::HistoryWindow window(path_);
    EXPECT_EQ(window.Table.rowCount(), 0);
    EXPECT_TRUE(window.PageLabel.text().contains(QStringLiteral("cannot be read")))
        << window.PageLabel.text().toStdString();
    EXPECT_FALSE(window.OlderButton.isEnabled());
}

TEST_F(HistoryWindowTest, ASpinIsToldInThePlayersWords)
{
    {
        auto history = store::GameHistory::OpenForWriting(path_);
        HistoryEntry entry;
        entry.kind = HistoryKind::Spin;
        entry.bet = 1;
        entry.stops = {0, 0, 0};
        entry.nudges = "- D DU";
        entry.rule = engine::PayRuleDescription(engine::PayRule::MixedBars);
        entry.win = 5;
        history->Append(entry);
    }
    dialogs::HistoryWindow window(path_);
    ASSERT_EQ(window.Table.rowCount(), 1);
    EXPECT_EQ(QString::fromStdString(Cell(window, 0, 3)),
              QString::fromStdString(play::PaylineText({0, 0, 0})));
    EXPECT_EQ(Cell(window, 0, 4), "Middle down \u2193; right down \u2193, up \u2191");
    EXPECT_EQ(Cell(window, 0, 5), "Any bar, any bar, any bar");
    EXPECT_EQ(dialogs::NudgesText("- - -"), QString());
    const std::string totals = window.TotalsLabel.text().toStdString();
    EXPECT_NE(totals.find("Shown: 1 spin, 1 bet"), std::string::npos) << totals;
    EXPECT_NE(totals.find("0 bonus games"), std::string::npos) << totals;
    // Every column within the window, the headings plain when a row is chosen.
    window.resize(900, 560);
    window.show();
    window.Table.selectRow(0);
    EXPECT_FALSE(window.Table.horizontalHeader()->highlightSections());
    EXPECT_LE(window.Table.horizontalHeader()->length(), window.Table.viewport()->width());
}

TEST(HistoryTime, TheDateIsWrittenAsTheSavedGamesWriteIt)
{
    const QString text = dialogs::HistoryTime("2026-12-08T11:26:46.000Z");
    const QDateTime local = QDateTime(QDate(2026, 12, 8), QTime(11, 26, 46), Qt::UTC).toLocalTime();
    const QString date = local.date().toString(QStringLiteral("MM/dd/yy"));
    // The separator is the locale's; the digits are these.
    EXPECT_EQ(text.size(), 17) << text.toStdString();
    EXPECT_EQ(text.left(2) + text.mid(3, 2) + text.mid(6, 2), date.left(2) + date.mid(3, 2) + date.mid(6, 2));
    EXPECT_EQ(text.mid(9), local.time().toString(QStringLiteral("HH:mm:ss")));
    EXPECT_EQ(dialogs::HistoryTime("not a time"), QStringLiteral("not a time"));
}

}  // namespace
