// The table for screen readers: the Bet one, Bet five and Spin buttons, the
// counters, the bonus meter, the reels and the last announcement, as
// accessible items of the table's widget; and the announcer the play talks to.
#pragma once

#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>

#include "engine/Host.h"
#include "play/Announcer.h"
#include "play/SpokenTable.h"
#include "play/TableShown.h"

namespace table {

class TableView;

// The table's items in the order a screen reader lists them.
enum class TableItem { BetOne, BetFive, Spin, Coins, Winnings, Credits, BonusMeter, Reels, Outcome };
inline constexpr int TableItemCount = 9;

// What a screen reader is told of the table. It reads the play's reading,
// keeps the last announcement, and sends the accessibility events for what
// changed. Attach gives the table's widget a pointer to it, through which
// the widget's accessible interface finds it.
class TableSpeech final : public play::Announcer {
public:
    using Reader = std::function<const play::TableShown&()>;
    using Presser = std::function<void(engine::Button)>;
    using Locator = std::function<QRect(engine::Button)>;  // in the widget's pixels

    TableSpeech(Reader read, Presser press, Locator locate);
    ~TableSpeech() override;
    TableSpeech(const TableSpeech&) = delete;
    TableSpeech& operator=(const TableSpeech&) = delete;

    // The table's widget, once it exists; its accessible interface reads this.
    void Attach(TableView* view);
    // The speech attached to a table's widget; null for any other widget.
    static TableSpeech* Of(const QWidget* view);

    const play::TableShown& Reading() const { return read_(); }
    const QString& Announcement() const { return announcement_; }
    QRect ButtonArea(engine::Button button) const { return locate_(button); }
    // A button pressed through the accessibility interface acts as a click,
    // after the call that asked has returned: a spin runs for seconds.
    void Press(engine::Button button);

    // play::Announcer
    void TableChanged() override;
    void Announce(const std::string& text) override;

private:
    Reader read_;
    Presser press_;
    Locator locate_;
    QPointer<TableView> view_;
    QString announcement_;
    play::TableShown told_;  // as the last events described it
};

// What an item says: its name ("Credits") and its text ("994").
QString ItemName(TableItem item);
QString ItemText(TableItem item, const play::TableShown& reading, const QString& announcement);
// The counters and the meter in a line: "Coins 1. Winnings 10. Credits 1009.
// Bonus meter 4 of 12."
QString CountersText(const play::TableShown& reading);

// Gives the table's widget its accessible interface; call once, before the
// window is shown.
void InstallTableAccessibility();

}  // namespace table
