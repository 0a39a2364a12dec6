// The update reminder that closing starts with: its question, its dates and the file they live in.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

namespace store {
class SettingsFile;
}

namespace desktop {

// The reminder file, named without a directory so that it lives beside the
// saved games in the profile directory.
inline constexpr char UpdateReminderFileName[] = "thupdate.ini";

struct UpdateReminderResult {
    bool asked = false;         // the confirmation was shown
    bool openGamePage = false;  // ... and answered Yes
    // Set when the keys could not be written (or the file not read); the text
    // is the store's message. The caller shows it and goes on closing.
    std::optional<QString> error;
};

// GameTitle, a blank line, "Version: " + version, a blank line, the question.
QString UpdateReminderText(const QString& gameTitle, const QString& versionText);

// "mm/dd/yyyy"; nullopt for anything that is not a real date in that form.
std::optional<QDate> ParseReminderDate(const QString& text);
QString FormatReminderDate(QDate date);

// The first step of closing the main window. Reads "Ver" and "Update" from the
// section gameTitle; the first close of a version moves the reminder 90 days
// ahead; once `now` is past the start of the reminder day, asks askYesNo with
// UpdateReminderText and moves the reminder 10 days ahead; writes both keys
// back. An "Update" value that cannot be read counts as today.
//
// Never throws: a failure is returned in `error`, so the window can show it
// and still save the game afterwards. The window calls it as
//
//     const auto reminder = RunUpdateReminder(file, GameTitle, VersionText,
//                                             QDateTime::currentDateTime(), ask);
//     if (reminder.openGamePage) web::OpenWebPageQuietly(web::GamePage(WebPageName), this);
//     if (reminder.error) show *reminder.error;
//     ... then the current game saved (SaveGameSlot(CurrentGameSlot, "CurrentGame")).
UpdateReminderResult RunUpdateReminder(store::SettingsFile& file, const QString& gameTitle, const QString& versionText,
                                       const QDateTime& now, const std::function<bool(const QString&)>& askYesNo);

}  // namespace desktop
