// The update reminder: its question and dates, asking after 90 days and then every ten, what
// counts as a new version, unreadable dates, garbage files and failed writes.
#include "desktop/UpdateReminder.h"

#include "store/SettingsFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const QString kTitle = QStringLiteral("Plumfizz Slots");
const QString kVersion = QStringLiteral("2.0");
const std::string kSection = "Plumfizz Slots";

QDateTime At(int year, int month, int day, int hour = 12, int minute = 0, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

// Each test gets its own profile directory, as the program would see it.
class UpdateReminderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previous = qgetenv("XDG_CONFIG_HOME");
        hadPrevious = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    }
    void TearDown() override
    {
        if (hadPrevious)
            qputenv("XDG_CONFIG_HOME", previous);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }

    // One close of the window, answering the question with `answer`.
    desktop::UpdateReminderResult Close(const QDateTime& now, bool answer = false)
    {
        store::SettingsFile file(desktop::UpdateReminderFileName);
        return desktop::RunUpdateReminder(file, kTitle, kVersion, now, [&](const QString& text) {
            questions.push_back(text);
            return answer;
        });
    }

    std::string Read(const std::string& key)
    {
        return store::SettingsFile(desktop::UpdateReminderFileName).ReadString(kSection, key, "<absent>");
    }

    void Write(const std::string& key, const std::string& value)
    {
        store::SettingsFile(desktop::UpdateReminderFileName).WriteString(kSection, key, value);
    }

    QTemporaryDir dir;
    QByteArray previous;
    bool hadPrevious = false;
    std::vector<QString> questions;
};

TEST(UpdateReminderText, IsTheQuestionWithTitleAndVersion)
{
    EXPECT_EQ(desktop::UpdateReminderText(kTitle, kVersion).toStdString(),
              "Plumfizz Slots\n\nVersion: 2.0\n\nSince it has been over 90 days since you installed this "
              "program, it is likely that we have a newer version available for free download.  Would you "
              "like to visit our website to get a newer version of Plumfizz Slots?");
}

TEST(ReminderDate, ReadsOnlyRealDatesInTheMonthDayYearForm)
{
    EXPECT_EQ(desktop::ParseReminderDate("04/10/2026"), QDate(2026, 4, 10));
    EXPECT_EQ(desktop::ParseReminderDate("4/1/2026"), QDate(2026, 4, 1));
    EXPECT_EQ(desktop::ParseReminderDate("02/29/2028"), QDate(2028, 2, 29));
    for (const char* text : {"", "garbage", "02/29/2026", "13/01/2026", "00/10/2026", "04/31/2026", "04/10/26",
                             "04-10-2026", "+4/10/2026", "04/ 1/2026", "04/10/2026/1", "2026/04/10", "04/10/-202"}) {
        EXPECT_EQ(desktop::ParseReminderDate(text), std::nullopt) << text;
    }
    EXPECT_EQ(desktop::FormatReminderDate(QDate(2026, 4, 1)).toStdString(), "04/01/2026");
    EXPECT_EQ(desktop::FormatReminderDate(QDate(2026, 12, 31)).toStdString(), "12/31/2026");
}

TEST_F(UpdateReminderTest, FirstCloseSetsTheVersionAndARemindNinetyDaysAhead)
{
    const auto result = Close(At(2026, 1, 10));
    EXPECT_FALSE(result.asked);
    EXPECT_FALSE(result.error.has_value());
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(Read("Ver"), "2.0");
    EXPECT_EQ(Read("Update"), "04/10/2026");
    // The file lives beside the saved games, in the profile directory.
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(dir.path().toStdString()) / "tallyho" / "thupdate.ini"));
}

TEST_F(UpdateReminderTest, AsksAfterNinetyDaysThenAtMostEveryTenDays)
{
    Close(At(2026, 1, 10));

    // 91 days later: the question, and the next reminder 10 days on.
    auto result = Close(At(2026, 4, 11, 9, 30));
    EXPECT_TRUE(result.asked);
    EXPECT_FALSE(result.openGamePage);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], desktop::UpdateReminderText(kTitle, kVersion));
    EXPECT_EQ(Read("Update"), "04/21/2026");
    EXPECT_EQ(Read("Ver"), "2.0");

    // Answered No; 5 days later nothing.
    result = Close(At(2026, 4, 16));
    EXPECT_FALSE(result.asked);
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_EQ(Read("Update"), "04/21/2026");

    // 11 days later it comes again; Yes asks for the game's page.
    result = Close(At(2026, 4, 22), true);
    EXPECT_TRUE(result.asked);
    EXPECT_TRUE(result.openGamePage);
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_EQ(Read("Update"), "05/02/2026");
}

TEST_F(UpdateReminderTest, TheReminderDayCountsFromItsFirstMoment)
{
    Write("Ver", "2.0");
    Write("Update", "06/15/2026");
    EXPECT_FALSE(Close(At(2026, 6, 14, 23, 59, 59)).asked);
    EXPECT_FALSE(Close(At(2026, 6, 15, 0, 0, 0)).asked) << "midnight itself is not later than the start of the day";
    EXPECT_EQ(Read("Update"), "06/15/2026");
    EXPECT_TRUE(Close(At(2026, 6, 15, 0, 0, 1)).asked);
    EXPECT_EQ(Read("Update"), "06/25/2026");
}

TEST_F(UpdateReminderTest, OnlyAnOlderVersionCountsAsNew)
{
    // An older version: its first close, so no question even with an old date.
    Write("Ver", "1.5");
    Write("Update", "01/01/2020");
    EXPECT_FALSE(Close(At(2026, 3, 1)).asked);
    EXPECT_EQ(Read("Ver"), "2.0");
    EXPECT_EQ(Read("Update"), "05/30/2026");

    // The same or a later version: the stored date rules, the version stays.
    for (const char* stored : {"2.0", "3.1"}) {
        Write("Ver", stored);
        Write("Update", "01/01/2020");
        EXPECT_TRUE(Close(At(2026, 3, 1)).asked) << stored;
        EXPECT_EQ(Read("Ver"), stored);
        EXPECT_EQ(Read("Update"), "03/11/2026");
    }

    // Other programs' sections are left alone.
    store::SettingsFile(desktop::UpdateReminderFileName).WriteString("Other Game", "Ver", "9.9");
    Close(At(2026, 3, 2));
    EXPECT_EQ(store::SettingsFile(desktop::UpdateReminderFileName).ReadString("Other Game", "Ver", ""), "9.9");
}

TEST_F(UpdateReminderTest, AnUnreadableDateCountsAsTodayOnce)
{
    for (const char* broken : {"garbage", "13/45/2026", "", "04/10/26"}) {
        Write("Ver", "2.0");
        Write("Update", broken);
        const auto first = Close(At(2026, 3, 1, 15, 0));
        EXPECT_TRUE(first.asked) << broken;
        EXPECT_FALSE(first.error.has_value());
        EXPECT_EQ(Read("Update"), "03/11/2026") << broken;
        EXPECT_FALSE(Close(At(2026, 3, 1, 16, 0)).asked) << "the repaired file must not ask again: " << broken;
    }
}

TEST_F(UpdateReminderTest, AFileOfGarbageDoesNotCrash)
{
    const auto path = store::SettingsFile(desktop::UpdateReminderFileName).Path();
    std::filesystem::create_directories(path.parent_path());
    {
        std::ofstream out(path, std::ios::binary);
        for (int i = 0; i < 4096; ++i) out.put(static_cast<char>((i * 7919) & 0xFF));
    }
    const auto result = Close(At(2026, 3, 1));
    EXPECT_FALSE(result.error.has_value());
    EXPECT_EQ(Read("Ver"), "2.0");
    EXPECT_EQ(Read("Update"), "05/30/2026");
}

TEST_F(UpdateReminderTest, AWriteFailureIsReportedNotThrown)
{
    // A directory where the file should be: no one, not even root, can replace it.
    const auto path = store::SettingsFile(desktop::UpdateReminderFileName).Path();
    std::filesystem::create_directories(path);
    desktop::UpdateReminderResult result;
    EXPECT_NO_THROW(result = Close(At(2026, 3, 1)));
    ASSERT_TRUE(result.error.has_value());
    EXPECT_NE(result.error->indexOf(QStringLiteral("thupdate.ini")), -1) << result.error->toStdString();
}

}  // namespace
