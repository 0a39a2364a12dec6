// The side dialogs from the main window's menu: borrowing repaints and saves,
// help is told honestly, and a dialog opened during a spin neither changes
// the spin nor keeps a termination signal from closing and saving.
#include <QApplication>
#include <QFile>
#include <QTimer>

#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "dialogs/BorrowWindow.h"
#include "dialogs/PayoffChart.h"
#include "dialogs/SponsorWindow.h"
#include "dialogs/StatisticsWindow.h"

using namespace windowtest;

namespace {

class SideDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        env.WriteSymbolSheet();
        env.WriteSavedGame(QStringLiteral("[CurrentGame]\nCredits=0\nBorrowed=1000\n"));
        form = env.MakeReady();
    }

    // Runs `act` on the modal window of type W once it is open.
    template <typename W, typename Act>
    static void WhenOpen(Act act)
    {
        QTimer::singleShot(0, [act] {
            if (auto* window = qobject_cast<W*>(QApplication::activeModalWidget())) act(*window);
        });
    }

    Environment env;
    std::unique_ptr<table::MainWindow> form;
};

}  // namespace

TEST_F(SideDialogs, BorrowChangesTheBalanceThenRepaintsAndSaves)
{
    // The middle of the Credits counter's hundreds cell, lit only by a three-digit figure.
    const QPoint hundreds(620 - 3 * 16 + 8, 54);
    ASSERT_EQ(Environment::PixelAt(*form, hundreds.x(), hundreds.y()), qRgb(0, 0, 0));
    WhenOpen<dialogs::BorrowWindow>([](dialogs::BorrowWindow& borrow) {
        borrow.Button100.click();
        borrow.Button100.click();
        QTest::keyClick(&borrow.OKButton, Qt::Key_F1);
        borrow.OKButton.click();
    });
    form->Borrow1Click();
    EXPECT_EQ(form->Session().State().Credits, 200);
    EXPECT_EQ(form->Session().State().Borrowed, 1200);
    EXPECT_EQ(env.Saved("Credits"), "200");
    EXPECT_EQ(env.Saved("Borrowed"), "1200");
    EXPECT_NE(Environment::PixelAt(*form, hundreds.x(), hundreds.y()), qRgb(0, 0, 0));
    ASSERT_EQ(env.boxes.shown.size(), 1u);
    EXPECT_EQ(env.boxes.shown[0].text,
              QStringLiteral("The manual ") + form->Settings().helpFile + QStringLiteral(" is not installed."));
}

TEST_F(SideDialogs, HelpKeysAndItemsShowTheirTopicsAndSponsorsOpen)
{
    QFile manual(form->Settings().helpFile);
    ASSERT_TRUE(manual.open(QIODevice::WriteOnly));
    manual.write("<html><body><a name=\"contents\">Contents</a></body></html>");
    manual.close();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));

    QTest::keyClick(form.get(), Qt::Key_F1);
    form->Menu.ManualItem->trigger();
    form->Menu.CompayInformation1->trigger();
    dialogs::BorrowWindow* borrowWindow = nullptr;
    WhenOpen<dialogs::BorrowWindow>([&borrowWindow](dialogs::BorrowWindow& borrow) {
        borrowWindow = &borrow;
        QTest::keyClick(&borrow, Qt::Key_F1);
        borrow.reject();
    });
    form->Borrow1Click();

    const auto& shown = env.platform.help.shown;
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].topic, 41003);
    EXPECT_EQ(shown[0].owner, form.get());
    EXPECT_EQ(shown[0].file, form->Settings().helpFile);
    EXPECT_EQ(shown[1].topic, 0) << "the manual item shows the contents";
    EXPECT_EQ(shown[2].topic, 41009);
    EXPECT_EQ(shown[3].owner, borrowWindow) << "beside a modal dialog the manual belongs to it";
    EXPECT_TRUE(env.boxes.shown.empty());

    bool sponsorsShown = false;
    WhenOpen<dialogs::SponsorWindow>([&sponsorsShown](dialogs::SponsorWindow& ads) {
        sponsorsShown = true;
        ads.reject();
    });
    form->Menu.VisitourSponsors1->trigger();
    EXPECT_TRUE(sponsorsShown);
}

TEST_F(SideDialogs, DuringASpinBorrowStaysShutAndASignalUnderStatsStillSavesTheSpin)
{
    bool borrowOpened = false;
    bool statsShown = false;
    env.stops.Force(engine::StartStops);  // a win to count
    env.platform.onWait = [&] {
        if (statsShown || !form->Session().CommandRunning()) return;
        statsShown = true;
        QTimer::singleShot(0, [&] {
            if (auto* w = qobject_cast<dialogs::BorrowWindow*>(QApplication::activeModalWidget())) {
                borrowOpened = true;
                w->reject();
            }
        });
        form->Borrow1Click();
        WhenOpen<dialogs::StatisticsWindow>([this](dialogs::StatisticsWindow&) { form->OnTerminationRequested(); });
        form->Stats1Click();
    };
    form->Session().State().Credits = 5;
    QTest::keyClick(form->View(), Qt::Key_B);
    PlayOut(env.platform, *form);
    QTest::keyClick(form->View(), Qt::Key_Space);
    PlayOut(env.platform, *form);

    ASSERT_TRUE(statsShown);
    EXPECT_FALSE(borrowOpened);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->Session().State().Borrowed, 1000);
    EXPECT_GT(form->Session().State().Credits, 4);
    EXPECT_EQ(env.Saved("Spins"), "1");
    EXPECT_EQ(env.Saved("Credits"), std::to_string(form->Session().State().Credits));
}

TEST_F(SideDialogs, VersionAndAMissingChartAreToldInTheirBoxes)
{
    form->Version1Click();
    bool chartOpened = false;
    WhenOpen<dialogs::PayoffChart>([&](dialogs::PayoffChart& chart) {
        chartOpened = !chart.ChartLoaded();
        chart.close();
    });
    form->Payoffs1Click();
    EXPECT_TRUE(chartOpened);
    ASSERT_EQ(env.boxes.shown.size(), 2u);
    EXPECT_EQ(env.boxes.shown[0].kind, QStringLiteral("information"));
    EXPECT_EQ(env.boxes.shown[0].text, QStringLiteral("Plumfizz Slots\r\n\r\nVersion:  2.0"));
    EXPECT_EQ(env.boxes.shown[1].kind, QStringLiteral("error"));
    EXPECT_EQ(env.boxes.shown[1].caption, QStringLiteral("Plumfizz Slots"));
    EXPECT_EQ(env.boxes.shown[1].text,
              QStringLiteral("Cannot open file ") + env.AssetDir() + QStringLiteral("Paychart.bmp."));
    EXPECT_EQ(form->Session().State().Credits, 0);  // neither changes the game
}
