// The update reminder: reading and moving its date, and asking whether to fetch a newer version.
#include "desktop/UpdateReminder.h"

#include "store/SettingsFile.h"

#include <exception>
#include <string>

namespace desktop {

namespace {

// Both parts of a date must be plain digits: QDate's own parser would also
// take signs and spaces.
std::optional<int> Digits(const QString& text, int minLength, int maxLength)
{
    if (text.size() < minLength || text.size() > maxLength) return std::nullopt;
    int value = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

}  // namespace

QString UpdateReminderText(const QString& gameTitle, const QString& versionText)
{
    return gameTitle + QStringLiteral("\n\n") + QStringLiteral("Version: ") + versionText + QStringLiteral("\n\n") +
           QStringLiteral(
               "Since it has been over 90 days since you installed this program, it is likely "
               "that we have a newer version available for free download.  Would you like to "
               "visit our website to get a newer version of") +
           QLatin1Char(' ') + gameTitle + QLatin1Char('?');
}

std::optional<QDate> ParseReminderDate(const QString& text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('/'));
    if (parts.size() != 3) return std::nullopt;
    const auto month = Digits(parts[0], 1, 2);
    const auto day = Digits(parts[1], 1, 2);
    const auto year = Digits(parts[2], 4, 4);
    if (!month || !day || !year) return std::nullopt;
    const QDate date(*year, *month, *day);
    if (!date.isValid()) return std::nullopt;
    return date;
}

QString FormatReminderDate(QDate date)
{
    return QStringLiteral("%1/%2/%3")
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

UpdateReminderResult RunUpdateReminder(store::SettingsFile& file, const QString& gameTitle, const QString& versionText,
                                       const QDateTime& now, const std::function<bool(const QString&)>& askYesNo)
{
    UpdateReminderResult result;
    try {
        const std::string section = gameTitle.toStdString();
        const std::string version = versionText.toStdString();
        // Dates in the file are local calendar days.
        const QDateTime localNow = now.toLocalTime();
        const QDate today = localNow.date();

        std::string storedVersion = file.ReadString(section, "Ver", "");
        const QString storedDate =
            QString::fromStdString(file.ReadString(section, "Update", FormatReminderDate(today).toStdString()));
        QDate reminder = ParseReminderDate(storedDate).value_or(today);

        // A byte-wise comparison, as the reminder file has always been compared.
        if (storedVersion < version) {
            storedVersion = version;
            reminder = today.addDays(90);
        }

        if (localNow > reminder.startOfDay()) {
            reminder = today.addDays(10);
            result.asked = true;
            result.openGamePage = askYesNo && askYesNo(UpdateReminderText(gameTitle, versionText));
        }

        file.WriteString(section, "Ver", storedVersion);
        file.WriteString(section, "Update", FormatReminderDate(reminder).toStdString());
    } catch (const std::exception& e) {
        result.error = QString::fromStdString(e.what());
    }
    return result;
}

}  // namespace desktop
