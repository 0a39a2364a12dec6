// The statistics window's figures and formats, the payoff chart's loading
// and its failures, and the version box's text.
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

#include "dialogs/GameFigures.h"
#include "dialogs/PayoffChart.h"
#include "dialogs/StatisticsWindow.h"
#include "dialogs/VersionBox.h"

namespace {

const QLocale UnitedStates(QLocale::English, QLocale::UnitedStates);

TEST(Statistics, FormatsGroupPadAndKeepTwoDecimals)
{
    EXPECT_EQ(dialogs::CountText(12345, UnitedStates), QStringLiteral("    12,345"));
    EXPECT_EQ(dialogs::CountText(-3, UnitedStates), QStringLiteral("        -3"));
    EXPECT_EQ(dialogs::CountText(4000000000.0, UnitedStates), QStringLiteral("4,000,000,000"));
    EXPECT_EQ(dialogs::CountText(1234567, QLocale(QLocale::German, QLocale::Germany)), QStringLiteral(" 1.234.567"));
    EXPECT_EQ(dialogs::PercentText(75, UnitedStates), QStringLiteral("75.00%"));
    EXPECT_EQ(dialogs::PercentText(0, UnitedStates), QStringLiteral("0.00%"));
    EXPECT_EQ(dialogs::PercentText(1234.5, UnitedStates), QStringLiteral("1234.50%"));  // never grouped
    EXPECT_EQ(dialogs::PercentText(93.75, QLocale(QLocale::German, QLocale::Germany)), QStringLiteral("93,75%"));
}

TEST(Statistics, PayoffsAreComputedIn64BitsAndNeverWrap)
{
    engine::GameState state;
    state.Credits = 2'000'000'000;
    state.Borrowed = 0;
    state.TotalBets = 2'000'000'000;
    state.BonusWon = 1'000'000'000;
    const dialogs::GameFigures figures = dialogs::FiguresOf(state);
    EXPECT_EQ(figures.payoffs, 4'000'000'000);
    EXPECT_EQ(figures.normalPayoffs, 3'000'000'000);
    EXPECT_DOUBLE_EQ(figures.percentage, 200.0);
}

TEST(Statistics, WindowShowsASnapshotAtTheRightEdges)
{
    engine::GameState state;
    state.Credits = 997;  // three coins on the table of a new game
    state.Borrowed = 1000;
    state.Spins = 12345;
    dialogs::StatisticsWindow form(state, nullptr, UnitedStates);
    state.Credits = 5000;  // later changes are not shown
    EXPECT_EQ(form.SpinsLabel.text(), QStringLiteral("    12,345"));
    EXPECT_EQ(form.CreditsLabel.text(), QStringLiteral("       997"));
    EXPECT_EQ(form.PayoffsLabel.text(), QStringLiteral("        -3"));
    EXPECT_EQ(form.NormalLabel.text(), QStringLiteral("        -3"));
    EXPECT_EQ(form.BonusLabel.text(), QStringLiteral("         0"));
    EXPECT_EQ(form.PercentLabel.text(), QStringLiteral("0.00%"));
    EXPECT_EQ(form.SpinsLabel.geometry().right() + 1, 281);
    // The right column keeps its distance from the window's edge; the window
    // is wider than the design by what the widest percentage needs.
    EXPECT_EQ(form.NormalLabel.geometry().right() + 1, form.width() - 47);
    EXPECT_EQ(form.PercentLabel.geometry().right() + 1, form.width() - 15);
    EXPECT_GE(form.width(), 632);
    EXPECT_EQ(form.height(), 207);
}

class PayoffChartTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::vector<QString> errors;
    std::vector<int> topics;

    QString Dir() const { return dir.path() + QLatin1Char('/'); }

    std::unique_ptr<dialogs::PayoffChart> Open()
    {
        dialogs::PayoffChartServices services;
        services.showError = [this](const QString& text) { errors.push_back(text); };
        services.showHelp = [this](int topic) { topics.push_back(topic); };
        return std::make_unique<dialogs::PayoffChart>(Dir(), std::move(services));
    }

    void WriteChart(const QString& name, QSize size)
    {
        QImage chart(size, QImage::Format_RGB32);
        chart.fill(QColor(0x55, 0x12, 0x5e));
        ASSERT_TRUE(chart.save(Dir() + name, "BMP"));
    }

    void ExpectEmptyWindow(dialogs::PayoffChart& form)
    {
        EXPECT_FALSE(form.ChartLoaded());
        EXPECT_EQ(form.size(), dialogs::PayoffChart::DesignClientSize);
        EXPECT_TRUE(form.updatesEnabled());
    }
};

TEST_F(PayoffChartTest, TheWindowFitsTheChartExactly)
{
    WriteChart(QStringLiteral("PAYCHART.bmp"), QSize(700, 500));  // any letter case
    auto form = Open();
    EXPECT_TRUE(form->ChartLoaded());
    EXPECT_EQ(form->size(), QSize(700, 500));
    EXPECT_EQ(form->Chart.geometry(), QRect(0, 0, 700, 500));
    EXPECT_TRUE(errors.empty());
    form->show();
    QTest::keyClick(form.get(), Qt::Key_F1);
    EXPECT_EQ(topics, std::vector<int>{dialogs::PayoffChart::HelpContext});
}

TEST_F(PayoffChartTest, AMissingChartIsToldAndTheWindowOpensEmpty)
{
    auto form = Open();
    ExpectEmptyWindow(*form);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], QStringLiteral("Cannot open file ") + Dir() + QStringLiteral("Paychart.bmp"));
}

TEST_F(PayoffChartTest, TruncatedOrEnormousChartsAreRefusedBeforeTheirPixels)
{
    WriteChart(QStringLiteral("Paychart.bmp"), QSize(300, 200));
    QFile file(Dir() + QStringLiteral("Paychart.bmp"));
    ASSERT_TRUE(file.resize(file.size() / 2));
    auto truncated = Open();
    ExpectEmptyWindow(*truncated);

    // Wider than any screen, yet a valid and small file.
    WriteChart(QStringLiteral("Paychart.bmp"), QSize(dialogs::PayoffChart::LargestChart.width() + 1, 1));
    auto enormous = Open();
    ExpectEmptyWindow(*enormous);
    ASSERT_EQ(errors.size(), 2u);
    for (const QString& error : errors)
        EXPECT_TRUE(error.startsWith(QStringLiteral("Cannot read file "))) << error.toStdString();
}

TEST(VersionBox, TitleEmptyLineAndVersion)
{
    EXPECT_EQ(dialogs::VersionBoxText(QStringLiteral("Plumfizz Slots"), QStringLiteral("2.0")),
              QStringLiteral("Plumfizz Slots\r\n\r\nVersion:  2.0"));
    // A longer title than start-up allows fills the first step: the line breaks are cut off.
    EXPECT_EQ(dialogs::VersionBoxText(QString(40, QLatin1Char('T')), QStringLiteral("2.0")),
              QString(34, QLatin1Char('T')) + QStringLiteral("Version:  2.0"));
}

}  // namespace
