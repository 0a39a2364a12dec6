// The side windows, each opened modally over the window in front.
#include "table/SideWindows.h"

#include <QApplication>
#include <QDateTime>
#include <QDialog>

#include "desktop/UpdateReminder.h"
#include "dialogs/BorrowWindow.h"
#include "dialogs/HelpViewer.h"
#include "dialogs/HistoryWindow.h"
#include "dialogs/PayoffChart.h"
#include "dialogs/SlotDialog.h"
#include "dialogs/SponsorWindow.h"
#include "dialogs/StatisticsWindow.h"
#include "dialogs/VersionBox.h"
#include "play/Session.h"
#include "store/GameHistory.h"
#include "store/GameStore.h"
#include "store/SettingsFile.h"
#include "web/WebLinks.h"

namespace table {

SideWindows::SideWindows(QWidget& owner, desktop::Platform& platform, dialogs::MessageBoxes& boxes,
                         dialogs::TableDialogs& tableDialogs, const Theme& theme, const pictures::PictureSet& pictures)
    : owner_(owner), platform_(platform), boxes_(boxes), tableDialogs_(tableDialogs), theme_(theme), pictures_(pictures)
{}

QWidget* SideWindows::Front() const
{
    QWidget* front = QApplication::activeModalWidget();
    return front ? front : &owner_;
}

void SideWindows::Borrow(engine::GameState& state, int layoutWidth)
{
    dialogs::BorrowWindowServices services;
    services.showInformation = [this](const QString& text) { boxes_.Information(Front(), text); };
    services.showHelp = [this](int topic) { Help(topic); };
    dialogs::RunBorrowWindow(state, pictures_, layoutWidth, std::move(services), &owner_);
}

void SideWindows::Statistics(const engine::GameState& state)
{
    play::Guarded(tableDialogs_, [&] {
        dialogs::StatisticsWindow form(state, &owner_);
        form.exec();
    });
}

void SideWindows::PayoffChart()
{
    play::Guarded(tableDialogs_, [&] {
        dialogs::PayoffChartServices services;
        services.showError = [this](const QString& text) { tableDialogs_.ShowError(text); };
        services.showHelp = [this](int topic) { Help(topic); };
        dialogs::PayoffChart form(theme_.assetDir, std::move(services), &owner_);
        form.exec();
    });
}

void SideWindows::Version()
{
    play::Guarded(tableDialogs_,
                  [&] { boxes_.Information(&owner_, dialogs::VersionBoxText(theme_.gameTitle, theme_.versionText)); });
}

void SideWindows::Sponsors(engine::Random& random)
{
    play::Guarded(tableDialogs_, [&] {
        dialogs::SponsorWindow form(random, theme_.assetDir, &owner_);
        form.exec();
    });
}

std::optional<store::StoredEntry> SideWindows::History(bool canRecall)
{
    std::optional<store::StoredEntry> chosen;
    play::Guarded(tableDialogs_, [&] {
        dialogs::HistoryWindow form(store::HistoryPath(theme_.programBaseName.toStdString()), canRecall, &owner_);
        form.exec();
        chosen = form.Chosen();
    });
    return chosen;
}

void SideWindows::GamesPage()
{
    play::Guarded(tableDialogs_, [&] { web::OpenWebPage(web::GamesPage(), &owner_); });
}

bool SideWindows::Slots(dialogs::SlotDialogMode mode, engine::GameState& state)
{
    dialogs::SlotDialogServices services;
    services.showHelp = [this](int topic) { Help(topic); };
    services.showError = [this](const QString& text) { tableDialogs_.ShowError(text); };
    const store::GameStore games(theme_.programBaseName.toStdString());
    dialogs::SlotDialog form(mode, state, games, theme_.gameTitle, std::move(services), &owner_);
    form.exec();
    return form.Opened();
}

std::optional<QString> SideWindows::UpdateReminder()
{
    store::SettingsFile file(desktop::UpdateReminderFileName);
    const desktop::UpdateReminderResult reminder =
        desktop::RunUpdateReminder(file, theme_.gameTitle, theme_.versionText, QDateTime::currentDateTime(),
                                   [this](const QString& question) { return boxes_.Confirm(&owner_, question); });
    if (reminder.openGamePage) web::OpenWebPageQuietly(web::GamePage(theme_.webPageName), &owner_);
    return reminder.error;
}

void SideWindows::DismissBoxes()
{
    for (int guard = 0; guard < 16; ++guard) {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) break;
        dialog->reject();
    }
}

void SideWindows::Help(int topic)
{
    play::Guarded(tableDialogs_, [&] {
        // The help window belongs to the window in front, so that beside a modal
        // dialog it can still be used.
        QWidget* owner = Front();
        const QString problem = dialogs::ManualProblem(theme_.helpFile);
        if (!problem.isEmpty()) {
            boxes_.Information(owner, problem);
            return;
        }
        platform_.Help().Show(theme_.helpFile, topic, owner);
    });
}

}  // namespace table
