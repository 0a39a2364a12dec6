// The history window: a table of entries, paging by the entries' numbers so
// that a page opens as fast in a million entries as in ten.
#include "dialogs/HistoryWindow.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLocale>
#include <QVBoxLayout>

#include <langinfo.h>

#include <algorithm>
#include <ctime>
#include <initializer_list>
#include <utility>

#include "dialogs/CabinetLook.h"
#include "dialogs/KeyboardFocusFrame.h"
#include "dialogs/LongRunReturns.h"
#include "engine/PayTable.h"
#include "play/SpokenTable.h"
#include "store/GameStore.h"

namespace dialogs {

namespace {

const QStringList Headings = {
    QStringLiteral("Time"),           QStringLiteral("Entry"),        QStringLiteral("Bet"), QStringLiteral("Stopped on"),
    QStringLiteral("Nudges"),         QStringLiteral("Pays for"),     QStringLiteral("Win"), QStringLiteral("Meter"),
    QStringLiteral("Credits before"), QStringLiteral("Credits after")};

QString Number(int64_t value)
{
    return QLocale().toString(static_cast<qlonglong>(value));
}

}  // namespace

QString HistoryTime(const std::string& utc)
{
    const QDateTime time = QDateTime::fromString(QString::fromStdString(utc), Qt::ISODateWithMs);
    if (!time.isValid()) return QString::fromStdString(utc);
    const QDateTime local = time.toLocalTime();
    std::tm date{};
    date.tm_year = local.date().year() - 1900;
    date.tm_mon = local.date().month() - 1;
    date.tm_mday = local.date().day();
    const char* format = nl_langinfo(D_FMT);
    const std::string day = store::FormatGameDate(date, store::DateSeparatorFromFormat(format != nullptr ? format : ""));
    return QString::fromStdString(day) + QLatin1Char(' ') + local.time().toString(QStringLiteral("HH:mm:ss"));
}

QString NudgesText(const std::string& nudges)
{
    static const char* const reels[3] = {"left", "middle", "right"};
    QStringList said;
    const QStringList each = QString::fromStdString(nudges).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (int reel = 0; reel < std::min<int>(3, static_cast<int>(each.size())); ++reel) {
        QStringList moves;
        for (const QChar move : each[reel]) {
            if (move == QLatin1Char('D')) moves << QStringLiteral("down \u2193");
            if (move == QLatin1Char('U')) moves << QStringLiteral("up \u2191");
        }
        if (!moves.isEmpty()) said << QLatin1String(reels[reel]) + QLatin1Char(' ') + moves.join(QStringLiteral(", "));
    }
    if (said.isEmpty()) return {};
    said[0][0] = said[0][0].toUpper();
    return said.join(QStringLiteral("; "));
}

QString RuleText(const std::string& rule)
{
    // The pay table's rows, as it shows them, for each rule the history keeps.
    using engine::PayRule;
    for (const auto& [which, words] : std::initializer_list<std::pair<PayRule, const char*>>{
             {PayRule::ThreeSymbol0, "Plum, plum, plum"},
             {PayRule::ThreeSymbol1, "Seven, seven, seven"},
             {PayRule::TwoSymbol0, "Plum, plum, any"},
             {PayRule::ThreeSymbol2, "Triple bar, triple bar, triple bar"},
             {PayRule::ThreeSymbol3, "Double bar, double bar, double bar"},
             {PayRule::ThreeSymbol4, "Single bar, single bar, single bar"},
             {PayRule::MixedBars, "Any bar, any bar, any bar"},
             {PayRule::OneSymbol0, "Plum, any, any"}}) {
        if (rule == engine::PayRuleDescription(which)) return QString::fromLatin1(words);
    }
    return QString::fromStdString(rule);
}

namespace {

QStringList Cells(const store::StoredEntry& stored)
{
    const store::HistoryEntry& e = stored.entry;
    QStringList cells(Headings.size());
    cells[0] = HistoryTime(stored.time);
    cells[1] = QString::fromLatin1(store::HistoryKindName(e.kind));
    switch (e.kind) {
    case store::HistoryKind::Spin:
        cells[2] = Number(e.bet);
        cells[3] = QString::fromStdString(play::PaylineText({e.stops[0], e.stops[1], e.stops[2]}));
        cells[4] = NudgesText(e.nudges);
        cells[5] = RuleText(e.rule);
        cells[6] = Number(e.win);
        cells[7] = QStringLiteral("%1 \u2192 %2%3").arg(e.meterBefore).arg(e.meterAfter).arg(e.reset ? " (Reset)" : "");
        break;
    case store::HistoryKind::Bonus:
        cells[5] = QStringLiteral("box %1 of 8").arg(e.box);
        cells[6] = Number(e.prize);
        cells[7] = QStringLiteral("%1 \u2192 %2").arg(e.meterBefore).arg(e.meterAfter);
        break;
    case store::HistoryKind::Borrow:
    case store::HistoryKind::PayBack: cells[6] = Number(e.amount); break;
    case store::HistoryKind::NewGame:
    case store::HistoryKind::OpenGame: cells[5] = QString::fromStdString(e.game); break;
    }
    cells[8] = Number(e.creditsBefore);
    cells[9] = Number(e.creditsAfter);
    return cells;
}

}  // namespace

HistoryTotals TotalsOf(const std::vector<store::StoredEntry>& entries)
{
    HistoryTotals totals;
    for (const store::StoredEntry& stored : entries) {
        const store::HistoryEntry& e = stored.entry;
        if (e.kind == store::HistoryKind::Spin) {
            ++totals.spins;
            totals.bets += e.bet;
            totals.wins += e.win;
            totals.largestWin = std::max(totals.largestWin, e.win);
            totals.betsPlayed.insert(e.bet);
        } else if (e.kind == store::HistoryKind::Bonus) {
            ++totals.bonusGames;
            totals.wins += e.prize;
            totals.largestWin = std::max(totals.largestWin, e.prize);
        }
    }
    return totals;
}

QString TotalsText(const HistoryTotals& t)
{
    const QString share =
        t.bets > 0 ? QLocale().toString(100.0 * static_cast<double>(t.wins) / static_cast<double>(t.bets), 'f', 2) +
                         QStringLiteral(" %")
                   : QStringLiteral("none");
    return QStringLiteral(
               "Shown: %1 %2, %3 bet, %4 won (bonus prizes included), return %5, largest win %6, "
               "%7 bonus %8")
        .arg(Number(t.spins), t.spins == 1 ? QStringLiteral("spin") : QStringLiteral("spins"), Number(t.bets),
             Number(t.wins), share, Number(t.largestWin), Number(t.bonusGames),
             t.bonusGames == 1 ? QStringLiteral("game") : QStringLiteral("games"));
}

QString LongRunText(const HistoryTotals& t)
{
    QStringList returns;
    for (const int32_t bet : t.betsPlayed) {
        if (bet < 1 || bet > 5) continue;
        returns << QStringLiteral("%1 at %2 %3")
                       .arg(QLocale().toString(100.0 * LongRunReturnPerCoin[bet - 1], 'f', 2) + QStringLiteral(" %"))
                       .arg(bet)
                       .arg(bet == 1 ? QStringLiteral("coin") : QStringLiteral("coins"));
    }
    if (returns.isEmpty()) return {};
    return QStringLiteral("The machine in the long run: ") + returns.join(QStringLiteral(", "));
}

HistoryWindow::HistoryWindow(const std::filesystem::path& path, bool canRecall, QWidget* owner)
    : QDialog(owner),
      Table(this),
      EmptyLabel(this),
      PageLabel(this),
      TotalsLabel(this),
      MachineLabel(this),
      NewerButton(this),
      OlderButton(this),
      RecallButton(this),
      CloseButton(this),
      canRecall_(canRecall)
{
    setWindowTitle(QStringLiteral("Game History"));
    ApplyCabinetLook(*this);
    Table.setColumnCount(static_cast<int>(Headings.size()));
    Table.setHorizontalHeaderLabels(Headings);
    Table.setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table.setSelectionBehavior(QAbstractItemView::SelectRows);
    Table.verticalHeader()->hide();
    // Every column in the window: the figures as wide as they are, the words
    // sharing what is left and wrapping; the headings stay as they are when
    // a row is chosen.
    QHeaderView* header = Table.horizontalHeader();
    header->setHighlightSections(false);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    for (const int words : {3, 4, 5}) header->setSectionResizeMode(words, QHeaderView::Stretch);
    Table.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Table.setWordWrap(true);
    EmptyLabel.setAlignment(Qt::AlignCenter);
    EmptyLabel.setWordWrap(true);
    EmptyLabel.setTextFormat(Qt::PlainText);
    EmptyLabel.setText(QStringLiteral("There is no history yet. Every spin, bonus game and borrowing is listed "
                                      "here once it is played."));
    Table.setAccessibleName(QStringLiteral("Game history"));
    for (QLabel* label : {&PageLabel, &TotalsLabel, &MachineLabel}) label->setTextFormat(Qt::PlainText);
    NewerButton.setText(QStringLiteral("&Newer"));
    OlderButton.setText(QStringLiteral("&Older"));
    RecallButton.setText(QStringLiteral("&Recall"));
    RecallButton.setToolTip(QStringLiteral("Show the chosen spin on the table as it ended"));
    RecallButton.setEnabled(false);
    CloseButton.setText(QStringLiteral("&Close"));
    CloseButton.setDefault(true);
    connect(&NewerButton, &QPushButton::clicked, this, &HistoryWindow::NewerClick);
    connect(&OlderButton, &QPushButton::clicked, this, &HistoryWindow::OlderClick);
    connect(&RecallButton, &QPushButton::clicked, this, &HistoryWindow::RecallClick);
    connect(&CloseButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(&Table, &QTableWidget::itemSelectionChanged, this,
            [this] { RecallButton.setEnabled(canRecall_ && SelectedSpin() != nullptr); });
    connect(&Table, &QTableWidget::cellDoubleClicked, this, [this] { RecallClick(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(&PageLabel, 1);
    buttons->addWidget(&NewerButton);
    buttons->addWidget(&OlderButton);
    buttons->addWidget(&RecallButton);
    buttons->addWidget(&CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(&Table, 1);
    layout->addWidget(&EmptyLabel, 1);
    layout->addWidget(&TotalsLabel);
    layout->addWidget(&MachineLabel);
    layout->addLayout(buttons);
    resize(900, 560);
    ShowKeyboardFocus(*this, CabinetGold);

    try {
        history_ = store::GameHistory::OpenForReading(path);
        if (history_) entryCount_ = history_->EntryCount();
        Show(history_ ? history_->Newest(PageSize) : std::vector<store::StoredEntry>{});
    } catch (const std::exception& error) {
        history_.reset();
        Show({});
        EmptyLabel.setText(QStringLiteral("The history cannot be read."));
        PageLabel.setText(QStringLiteral("The history %1 cannot be read: %2.")
                              .arg(QString::fromStdString(path.string()), QString::fromUtf8(error.what())));
    }
}

HistoryWindow::~HistoryWindow() = default;

void HistoryWindow::Show(std::vector<store::StoredEntry> page)
{
    page_ = std::move(page);
    Table.setRowCount(static_cast<int>(page_.size()));
    for (int row = 0; row < static_cast<int>(page_.size()); ++row) {
        const QStringList cells = Cells(page_[static_cast<size_t>(row)]);
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column == 2 || column >= 6) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            Table.setItem(row, column, item);
        }
    }
    Table.resizeRowsToContents();
    Table.setVisible(!page_.empty());
    EmptyLabel.setVisible(page_.empty());
    const HistoryTotals totals = TotalsOf(page_);
    TotalsLabel.setText(TotalsText(totals));
    MachineLabel.setText(LongRunText(totals));
    PageLabel.setText(page_.empty()
                          ? QStringLiteral("No entries yet.")
                          : QStringLiteral("Entries %1 to %2 of %3, newest first")
                                .arg(Number(newerCount_ + 1), Number(newerCount_ + static_cast<int64_t>(page_.size())),
                                     Number(entryCount_)));
    NewerButton.setEnabled(newerCount_ > 0);
    OlderButton.setEnabled(newerCount_ + static_cast<int64_t>(page_.size()) < entryCount_);
}

const store::StoredEntry* HistoryWindow::SelectedSpin() const
{
    const int row = Table.currentRow();
    if (row < 0 || row >= static_cast<int>(page_.size())) return nullptr;
    const store::StoredEntry& entry = page_[static_cast<size_t>(row)];
    return entry.entry.kind == store::HistoryKind::Spin ? &entry : nullptr;
}

void HistoryWindow::RecallClick()
{
    const store::StoredEntry* spin = SelectedSpin();
    if (!canRecall_ || spin == nullptr) return;
    chosen_ = *spin;
    accept();
}

void HistoryWindow::OlderClick()
{
    if (!history_ || page_.empty()) return;
    try {
        std::vector<store::StoredEntry> older = history_->Newest(PageSize, page_.back().id);
        if (older.empty()) return;
        newerCount_ += static_cast<int64_t>(page_.size());
        Show(std::move(older));
    } catch (const std::exception& error) {
        PageLabel.setText(QStringLiteral("The history cannot be read: %1.").arg(QString::fromUtf8(error.what())));
    }
}

void HistoryWindow::NewerClick()
{
    if (!history_ || page_.empty()) return;
    try {
        std::vector<store::StoredEntry> newer = history_->After(page_.front().id, PageSize);
        if (newer.empty()) return;
        newerCount_ = std::max<int64_t>(0, newerCount_ - static_cast<int64_t>(newer.size()));
        Show(std::move(newer));
    } catch (const std::exception& error) {
        PageLabel.setText(QStringLiteral("The history cannot be read: %1.").arg(QString::fromUtf8(error.what())));
    }
}

}  // namespace dialogs
