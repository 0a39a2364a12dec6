// Every dialog as a screen reader and a keyboard player meet it: each control and picture named,
// each control reached with Tab and marked while it has the focus, the pay table read as text.
#include <QAccessible>
#include <QApplication>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <vector>

#include "dialogs/BonusWindow.h"
#include "dialogs/BorrowWindow.h"
#include "dialogs/HelpViewer.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/HistoryWindow.h"
#include "dialogs/PayoffChart.h"
#include "dialogs/SlotDialog.h"
#include "dialogs/SponsorWindow.h"
#include "dialogs/StatisticsWindow.h"
#include "pictures/PictureSet.h"

namespace {

// Counts the shown controls, links and pictures below `iface`, listing those a screen reader could not name.
void CheckNames(QAccessibleInterface& iface, int& named, QStringList& unnamed)
{
    const std::set<QAccessible::Role> needNames{QAccessible::Button,      QAccessible::CheckBox,
                                                QAccessible::RadioButton, QAccessible::EditableText,
                                                QAccessible::Link,        QAccessible::Graphic};
    for (int k = 0; k < iface.childCount(); ++k) {
        QAccessibleInterface* child = iface.child(k);
        ASSERT_NE(child, nullptr);
        if (child->state().invisible) continue;
        if (needNames.count(child->role()) != 0) {
            const bool hasName = !child->text(QAccessible::Name).trimmed().isEmpty();
            named += hasName ? 1 : 0;
            if (!hasName) unnamed << QString::number(child->role());
        }
        CheckNames(*child, named, unnamed);
    }
}

// Tabs round the window: every control that takes Tab (of a radio group, the checked button) is
// reached, and looks different while it has the focus than when the window itself has it.
void CheckKeyboardFocus(QWidget& window)
{
    std::set<QWidget*> stops;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        const auto* radio = qobject_cast<QRadioButton*>(widget);
        if (!widget->isWindow() && (widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() &&
            widget->isVisibleTo(&window) && (radio == nullptr || radio->isChecked())) {
            stops.insert(widget);
        }
    }
    const auto around = [&window](QWidget* widget) {
        return window.grab(QRect(widget->mapTo(&window, QPoint(-4, -4)), widget->size() + QSize(8, 8))).toImage();
    };
    std::map<QWidget*, QImage> focused;
    for (int press = 0; press < 400 && focused.size() < stops.size(); ++press) {
        QTest::keyClick(QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : &window, Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        if (stops.count(focus) != 0 && focused.count(focus) == 0) focused[focus] = around(focus);
    }
    window.setFocus(Qt::OtherFocusReason);
    for (QWidget* stop : stops) {
        const std::string name = stop->metaObject()->className() + (" " + stop->accessibleName().toStdString());
        if (focused.count(stop) == 0) {
            ADD_FAILURE() << "Tab never reaches " << name;
        } else {
            EXPECT_NE(focused[stop], around(stop)) << "no focus shown on " << name;
        }
    }
}

TEST(DialogAccessibility, EveryDialogNamesItsControlsAndTabShowsWhereTheFocusIs)
{
    engine::GameState state;
    const pictures::PictureSet digits = pictures::PictureSet::BuiltIn();
    const QString assets = QStringLiteral(PLUMFIZZ_BUILT_ASSETS);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const store::GameStore store((dir.path() + QStringLiteral("/plumfizz")).toStdString(),
                                 [] { return std::string("01/02/26"); });
    engine::Random random;
    QWidget owner;

    std::vector<std::unique_ptr<QWidget>> windows;
    windows.push_back(std::make_unique<dialogs::BorrowWindow>(state, digits, 800, dialogs::BorrowWindowServices{}));
    auto* stats = new dialogs::StatisticsWindow(state, nullptr, QLocale(QLocale::English, QLocale::UnitedStates));
    windows.emplace_back(stats);
    auto* chart = new dialogs::PayoffChart(assets, dialogs::PayoffChartServices{});
    windows.emplace_back(chart);
    windows.push_back(std::make_unique<dialogs::SponsorWindow>(random, assets));
    windows.push_back(std::make_unique<dialogs::SlotDialog>(
        dialogs::SlotDialogMode::Save, state, store, QStringLiteral("Plumfizz Slots"), dialogs::SlotDialogServices{}));
    windows.push_back(std::make_unique<dialogs::BonusWindow>(engine::BonusPrizes{250, 0, 100, 0, 50, 10, 25, 50},
                                                             dialogs::BonusWindowSetup{{}, {640, 480}, 120},
                                                             dialogs::BonusWindowServices{}));
    auto* help = new dialogs::HelpWindow(QStringLiteral(PLUMFIZZ_BUILT_MANUAL), &owner);
    help->ShowTopic(dialogs::ContentsTopic);
    windows.emplace_back(help);
    windows.push_back(
        std::make_unique<dialogs::HistoryWindow>(std::filesystem::path(dir.path().toStdString()) / "none"));

    for (const std::unique_ptr<QWidget>& window : windows) {
        SCOPED_TRACE(window->metaObject()->className());
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(window.get());
        ASSERT_NE(iface, nullptr);
        EXPECT_FALSE(iface->text(QAccessible::Name).isEmpty());
        int named = 0;
        QStringList unnamed;
        CheckNames(*iface, named, unnamed);
        EXPECT_GT(named, 0);
        EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QStringLiteral("; ")).toStdString();
        CheckKeyboardFocus(*window);
        window->hide();
    }

    // The figures are named by their captions; the chart is read as the pay table.
    EXPECT_EQ(stats->CreditsLabel.accessibleName(), QStringLiteral("Credits"));
    EXPECT_EQ(stats->CreditsLabel.accessibleDescription(), QStringLiteral("1,000"));
    ASSERT_TRUE(chart->ChartLoaded());
    const QString table = chart->Chart.accessibleDescription();
    EXPECT_TRUE(
        table.contains(QStringLiteral("symbol 0 on all three reels pays 1500; symbol 1 on all three reels pays 250;")))
        << table.toStdString();
    EXPECT_TRUE(table.contains(QStringLiteral("symbol 0 on exactly one reel pays 2"))) << table.toStdString();
}

}  // namespace
