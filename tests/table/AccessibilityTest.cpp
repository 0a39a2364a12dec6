// The table for screen readers: its items by role and name, the counters'
// values, a press through the action interface acting as a click once the
// asking call has returned, and an announcement after a spin, held as the
// description of the notification a screen reader speaks.
#include <QAccessible>
#include <QApplication>

#include <gtest/gtest.h>

#include "WindowFixture.h"

using namespace windowtest;

namespace {

QAccessibleInterface* Item(table::MainWindow& form, table::TableItem item)
{
    QAccessibleInterface* pane = QAccessible::queryAccessibleInterface(form.View());
    return pane ? pane->child(static_cast<int>(item)) : nullptr;
}

}  // namespace

TEST(TableAccessibility, ItemsReadTheTableAndButtonsPressLikeClicks)
{
    Environment env;
    env.WriteSymbolSheet();
    env.stops.Force(engine::StartStops);
    auto form = env.MakeReady();
    QAccessibleInterface* pane = QAccessible::queryAccessibleInterface(form->View());
    ASSERT_NE(pane, nullptr);
    ASSERT_EQ(pane->childCount(), table::TableItemCount);
    for (int i = 0; i < pane->childCount(); ++i) {
        EXPECT_FALSE(pane->child(i)->text(QAccessible::Name).isEmpty()) << i;
        EXPECT_EQ(pane->indexOfChild(pane->child(i)), i);
    }
    QAccessibleInterface* betOne = Item(*form, table::TableItem::BetOne);
    QAccessibleInterface* spin = Item(*form, table::TableItem::Spin);
    EXPECT_EQ(spin->role(), QAccessible::Button);
    EXPECT_EQ(spin->text(QAccessible::Name), QStringLiteral("Spin"));
    EXPECT_FALSE(spin->state().disabled);
    EXPECT_EQ(Item(*form, table::TableItem::Credits)->valueInterface()->currentValue().toInt(),
              form->Session().State().Credits);
    EXPECT_EQ(Item(*form, table::TableItem::Reels)->textInterface()->text(0, -1), QStringLiteral("Plum, Plum, Plum"));
    // Where a screen reader says the button is, a click hits it.
    EXPECT_EQ(form->Surface().ButtonAt(form->View()->mapFromGlobal(spin->rect().center())), engine::Button::Spin);

    // Pressed through the interface, nothing happens inside the call.
    betOne->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(form->Session().State().BetCoins, 0);
    QApplication::processEvents();
    EXPECT_EQ(form->Session().State().BetCoins, 1);
    EXPECT_EQ(Item(*form, table::TableItem::Coins)->text(QAccessible::Value), QStringLiteral("1"));

    spin->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QApplication::processEvents();
    PlayOut(env.platform, *form);
    EXPECT_EQ(form->Session().State().Spins, 1);
    QAccessibleInterface* outcome = Item(*form, table::TableItem::Outcome);
    const QString said = QStringLiteral("Three plums. You win 1500. Credits %1.").arg(form->Session().State().Credits);
    EXPECT_EQ(outcome->text(QAccessible::Value), said);
    // The sentence is the notification's description, which a screen reader
    // speaks as the notification is shown (the events need a platform's
    // accessibility bridge: e2e.orca); the table's own description reads the
    // counters with their values.
    EXPECT_EQ(outcome->role(), QAccessible::Notification);
    EXPECT_EQ(outcome->text(QAccessible::Description), said);
    EXPECT_EQ(pane->text(QAccessible::Description),
              QStringLiteral("Coins 1. Winnings 1500. Credits %1. Bonus meter 0 of 12.")
                  .arg(form->Session().State().Credits));
}
