// The table's accessible items for screen readers (AT-SPI on Linux): virtual
// children of the table's widget, read from the play's reading, and the
// events that tell a screen reader what changed.
#include "table/TableAccessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QTimer>

#include <array>
#include <memory>

#include "engine/BonusMeter.h"
#include "table/TableView.h"

namespace table {

namespace {

bool IsButton(TableItem item)
{
    return item == TableItem::BetOne || item == TableItem::BetFive || item == TableItem::Spin;
}

bool HasValue(TableItem item)
{
    return item == TableItem::Coins || item == TableItem::Winnings || item == TableItem::Credits ||
           item == TableItem::BonusMeter;
}

engine::Button ButtonOf(TableItem item)
{
    return item == TableItem::BetOne    ? engine::Button::BetOne
           : item == TableItem::BetFive ? engine::Button::BetFive
                                        : engine::Button::Spin;
}

QString KeyOf(TableItem item)
{
    switch (item) {
    case TableItem::BetOne: return QStringLiteral("B");
    case TableItem::BetFive: return QStringLiteral("M");
    case TableItem::Spin: return QStringLiteral("Space");
    default: return {};
    }
}

int32_t ValueOf(TableItem item, const play::TableShown& reading)
{
    switch (item) {
    case TableItem::Coins: return reading.coins;
    case TableItem::Winnings: return std::max(reading.winnings, 0);
    case TableItem::Credits: return reading.credits;
    case TableItem::BonusMeter: return reading.meter;
    default: return 0;
    }
}

// One item of the table: a button, a counter, the meter, the reels or the
// announcement. It lives as long as the table's accessible interface.
class TableItemAccessible final : public QAccessibleInterface,
                                  public QAccessibleActionInterface,
                                  public QAccessibleValueInterface,
                                  public QAccessibleTextInterface {
public:
    TableItemAccessible(QWidget* view, TableItem item) : view_(view), item_(item) {}

    TableSpeech* Speech() const { return view_ ? TableSpeech::Of(view_) : nullptr; }

    bool isValid() const override { return Speech() != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(view_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override
    {
        const TableSpeech* speech = Speech();
        if (!speech) return {};
        switch (t) {
        case QAccessible::Name: return ItemName(item_);
        case QAccessible::Value:
            return IsButton(item_) ? QString() : ItemText(item_, speech->Reading(), speech->Announcement());
        case QAccessible::Accelerator: return KeyOf(item_);
        case QAccessible::Description:
            return item_ == TableItem::Outcome ? speech->Announcement() : QString();
        default: return {};
        }
    }

    QRect rect() const override
    {
        const TableSpeech* speech = Speech();
        if (!speech) return {};
        const QRect local = IsButton(item_) ? speech->ButtonArea(ButtonOf(item_)) : view_->rect();
        return QRect(view_->mapToGlobal(local.topLeft()), local.size());
    }

    QAccessible::Role role() const override
    {
        if (IsButton(item_)) return QAccessible::Button;
        if (item_ == TableItem::BonusMeter) return QAccessible::ProgressBar;
        if (item_ == TableItem::Outcome) return QAccessible::Notification;
        return QAccessible::StaticText;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        const TableSpeech* speech = Speech();
        if (!speech || !view_->isVisible()) s.invisible = true;
        if (IsButton(item_)) {
            s.disabled = !speech || !speech->Reading().takesPlay;
            s.focusable = false;
        } else {
            s.readOnly = true;
        }
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ActionInterface && IsButton(item_))
            return static_cast<QAccessibleActionInterface*>(this);
        if (type == QAccessible::ValueInterface && HasValue(item_))
            return static_cast<QAccessibleValueInterface*>(this);
        if (type == QAccessible::TextInterface && !IsButton(item_)) return static_cast<QAccessibleTextInterface*>(this);
        return nullptr;
    }

    // QAccessibleActionInterface: press, as a click on the button.
    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString& name) const override
    {
        return name == pressAction() ? QStringList{KeyOf(item_)} : QStringList{};
    }
    void doAction(const QString& name) override
    {
        TableSpeech* speech = Speech();
        if (name == pressAction() && speech) speech->Press(ButtonOf(item_));
    }

    // QAccessibleValueInterface: the counters and the meter, read only.
    QVariant currentValue() const override
    {
        const TableSpeech* speech = Speech();
        return speech ? QVariant(ValueOf(item_, speech->Reading())) : QVariant();
    }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override
    {
        return item_ == TableItem::BonusMeter ? QVariant(engine::BonusMeterFull) : QVariant(INT32_MAX);
    }
    QVariant minimumValue() const override
    {
        return item_ == TableItem::BonusMeter ? QVariant(0) : QVariant(INT32_MIN);
    }
    QVariant minimumStepSize() const override { return 1; }

    // QAccessibleTextInterface: the item's text, read only, without a caret.
    QString Text() const { return text(QAccessible::Value); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override
    {
        const QString all = Text();
        start = std::clamp(start, 0, static_cast<int>(all.size()));
        end = end < 0 ? static_cast<int>(all.size()) : std::clamp(end, start, static_cast<int>(all.size()));
        return all.mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(Text().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override
    {
        *start = *end = offset;
        return {};
    }

private:
    QPointer<QWidget> view_;
    TableItem item_;
};

// The table's widget: a pane named "Table" whose children are the items.
class TableAccessible final : public QAccessibleWidget {
public:
    explicit TableAccessible(QWidget* view) : QAccessibleWidget(view, QAccessible::Pane, QStringLiteral("Table"))
    {
        for (int i = 0; i < TableItemCount; ++i) {
            auto* item = new TableItemAccessible(view, static_cast<TableItem>(i));
            ids_[static_cast<size_t>(i)] = QAccessible::registerAccessibleInterface(item);
        }
    }
    ~TableAccessible() override
    {
        for (const QAccessible::Id id : ids_) QAccessible::deleteAccessibleInterface(id);
    }

    // The counters and the meter with their values are the table's
    // description: a screen reader reads it with the table ("where am I",
    // the focus coming back from a window).
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Description) {
            const TableSpeech* speech = TableSpeech::Of(widget());
            return speech ? CountersText(speech->Reading()) : QString();
        }
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return TableItemCount; }
    QAccessibleInterface* child(int index) const override
    {
        return index >= 0 && index < TableItemCount ? QAccessible::accessibleInterface(ids_[static_cast<size_t>(index)])
                                                    : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int i = 0; i < TableItemCount; ++i) {
            if (QAccessible::accessibleInterface(ids_[static_cast<size_t>(i)]) == child) return i;
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (int i = 0; i < TableItemCount; ++i) {
            if (IsButton(static_cast<TableItem>(i)) && child(i)->rect().contains(x, y)) return child(i);
        }
        return nullptr;
    }

private:
    std::array<QAccessible::Id, TableItemCount> ids_{};
};

QAccessibleInterface* TableFactory(const QString& /*className*/, QObject* object)
{
    if (auto* view = qobject_cast<TableView*>(object)) return new TableAccessible(view);
    return nullptr;
}

// The accessible interface of one of the table's items, when accessibility is on.
QAccessibleInterface* ItemInterface(QWidget* view, TableItem item)
{
    if (!view || !QAccessible::isActive()) return nullptr;
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(view);
    return table ? table->child(static_cast<int>(item)) : nullptr;
}

}  // namespace

TableSpeech::TableSpeech(Reader read, Presser press, Locator locate)
    : read_(std::move(read)), press_(std::move(press)), locate_(std::move(locate))
{}

TableSpeech::~TableSpeech()
{
    // The widget outlives the window's members: it must not keep this.
    if (view_) view_->SetSpeech(nullptr);
}

void TableSpeech::Attach(TableView* view)
{
    if (view_) view_->SetSpeech(nullptr);
    view_ = view;
    if (view) view->SetSpeech(this);
    told_ = read_();
}

TableSpeech* TableSpeech::Of(const QWidget* view)
{
    const auto* table = qobject_cast<const TableView*>(view);
    return table ? table->Speech() : nullptr;
}

void TableSpeech::Press(engine::Button button)
{
    if (!view_) return;
    QTimer::singleShot(0, view_, [this, button] { press_(button); });
}

void TableSpeech::TableChanged()
{
    const play::TableShown now = read_();
    const play::TableShown before = told_;
    told_ = now;
    if (!ItemInterface(view_, TableItem::Spin)) return;
    const auto valueChanged = [this, &now](TableItem item) {
        QAccessibleValueChangeEvent event(ItemInterface(view_, item), ValueOf(item, now));
        QAccessible::updateAccessibility(&event);
    };
    if (now.coins != before.coins) valueChanged(TableItem::Coins);
    if (now.winnings != before.winnings) valueChanged(TableItem::Winnings);
    if (now.credits != before.credits) valueChanged(TableItem::Credits);
    // The meter's steps are not sent: a screen reader speaks a bar's change as
    // a bare percentage, and the outcome tells the meter as "N of 12".
    if (now.stops != before.stops) {
        QAccessibleTextUpdateEvent event(ItemInterface(view_, TableItem::Reels), 0,
                                         ItemText(TableItem::Reels, before, announcement_),
                                         ItemText(TableItem::Reels, now, announcement_));
        QAccessible::updateAccessibility(&event);
    }
    if (now.takesPlay != before.takesPlay) {
        QAccessible::State changed;
        changed.disabled = true;
        for (const TableItem button : {TableItem::BetOne, TableItem::BetFive, TableItem::Spin}) {
            QAccessibleStateChangeEvent event(ItemInterface(view_, button), changed);
            QAccessible::updateAccessibility(&event);
        }
    }
}

void TableSpeech::Announce(const std::string& text)
{
    const QString before = announcement_;
    announcement_ = QString::fromStdString(text);
    QAccessibleInterface* outcome = ItemInterface(view_, TableItem::Outcome);
    if (!outcome) return;
    // The whole text is replaced, so that the same sentence twice is spoken twice.
    QAccessibleTextUpdateEvent update(outcome, 0, before, announcement_);
    QAccessible::updateAccessibility(&update);
    // Screen readers speak no text change away from the focus, and Qt 6.4
    // sends a description change without its text. A notification that
    // appears is spoken wherever the focus is (Orca speaks its role, name and
    // description), so the Outcome notification is shown anew.
    QAccessibleEvent hidden(outcome, QAccessible::ObjectHide);
    QAccessible::updateAccessibility(&hidden);
    QAccessibleEvent shown(outcome, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

QString ItemName(TableItem item)
{
    static const std::array<const char*, TableItemCount> names = {
        "Bet one", "Bet five", "Spin", "Coins", "Winnings", "Credits", "Bonus meter", "Reels", "Outcome"};
    return QString::fromLatin1(names[static_cast<size_t>(item)]);
}

QString CountersText(const play::TableShown& reading)
{
    QString text;
    for (const TableItem item : {TableItem::Coins, TableItem::Winnings, TableItem::Credits, TableItem::BonusMeter}) {
        const QString figure = ItemText(item, reading, {});
        if (figure.isEmpty()) continue;  // Winnings while its field is empty
        text += (text.isEmpty() ? QString() : QStringLiteral(" ")) + ItemName(item) + QLatin1Char(' ') + figure +
                QLatin1Char('.');
    }
    return text;
}

QString ItemText(TableItem item, const play::TableShown& reading, const QString& announcement)
{
    switch (item) {
    case TableItem::Winnings: return reading.winnings < 0 ? QString() : QString::number(reading.winnings);
    case TableItem::Coins:
    case TableItem::Credits: return QString::number(ValueOf(item, reading));
    case TableItem::BonusMeter: return QStringLiteral("%1 of %2").arg(reading.meter).arg(engine::BonusMeterFull);
    case TableItem::Reels: return QString::fromStdString(play::PaylineText(reading.stops));
    case TableItem::Outcome: return announcement;
    default: return {};
    }
}

void InstallTableAccessibility()
{
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(TableFactory);
}

}  // namespace table
