// The web links: addresses on the reserved publisher site, the hand-over to the browser, and the
// two dialogs, in order and with their exact texts, when it fails or throws.
#include "web/WebLinks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Records every call in order; Open answers as told.
class RecordingShell : public web::Shell {
public:
    enum class Answer { Opened, Failed, Throws };
    explicit RecordingShell(Answer answer) : answer_(answer) {}

    bool Open(const QString& address, QWidget* owner) override
    {
        calls.push_back("open " + address.toStdString());
        owners.push_back(owner);
        if (answer_ == Answer::Throws) throw std::runtime_error("shell broke");
        return answer_ == Answer::Opened;
    }
    void ShowError(const QString& text, QWidget* owner) override
    {
        calls.push_back("error " + text.toStdString());
        owners.push_back(owner);
    }
    void ShowInformation(const QString& text, QWidget* owner) override
    {
        calls.push_back("information " + text.toStdString());
        owners.push_back(owner);
    }

    std::vector<std::string> calls;
    std::vector<QWidget*> owners;

private:
    Answer answer_;
};

const std::string kVisit = "information Please visit Tallyho at:  https://www.example.com";
const std::string kMissing = "error Could not find a web browser on your system!";

TEST(WebAddresses, AreFormedOnTheReservedPublisherSite)
{
    const QUrl site(QString::fromLatin1(web::PublisherSite), QUrl::StrictMode);
    ASSERT_TRUE(site.isValid());
    const QString host = site.host();
    EXPECT_TRUE(host == "example.com" || host.endsWith(".example.com") || host == "example.net" ||
                host.endsWith(".example.net") || host == "example.org" || host.endsWith(".example.org"))
        << host.toStdString();
    EXPECT_FALSE(QString::fromLatin1(web::PublisherSite).endsWith('/'));

    EXPECT_EQ(web::GamesPage().toStdString(), "https://www.example.com/games");
    EXPECT_EQ(web::GamePage("plumfizz").toStdString(), "https://www.example.com/games/plumfizz.html");
    EXPECT_EQ(web::GamePage("other").toStdString(), "https://www.example.com/games/other.html");
    EXPECT_EQ(web::PleaseVisitText().toStdString(), "Please visit Tallyho at:  https://www.example.com");
}

TEST(OpenWebPage, ShowsNoDialogWhenTheBrowserTakesTheAddress)
{
    RecordingShell shell(RecordingShell::Answer::Opened);
    web::ScopedShell scoped(shell);
    QWidget owner;
    web::OpenWebPage(web::GamesPage(), &owner);
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"open https://www.example.com/games"}));
    EXPECT_EQ(shell.owners, (std::vector<QWidget*>{&owner}));
}

TEST(OpenWebPage, TellsTheUserInTwoDialogsInOrderWhenItFailsOrThrows)
{
    for (auto answer : {RecordingShell::Answer::Failed, RecordingShell::Answer::Throws}) {
        RecordingShell shell(answer);
        web::ScopedShell scoped(shell);
        QWidget owner;
        web::OpenWebPage(web::GamePage("plumfizz"), &owner);
        EXPECT_EQ(shell.calls,
                  (std::vector<std::string>{"open https://www.example.com/games/plumfizz.html", kMissing, kVisit}));
        EXPECT_EQ(shell.owners, (std::vector<QWidget*>{&owner, &owner, &owner}));
    }
}

TEST(OpenWebPage, QuietVariantReportsButShowsNothing)
{
    RecordingShell failing(RecordingShell::Answer::Failed);
    {
        web::ScopedShell scoped(failing);
        EXPECT_FALSE(web::OpenWebPageQuietly(web::GamePage("plumfizz"), nullptr));
    }
    EXPECT_EQ(failing.calls, (std::vector<std::string>{"open https://www.example.com/games/plumfizz.html"}));

    RecordingShell throwing(RecordingShell::Answer::Throws);
    {
        web::ScopedShell scoped(throwing);
        EXPECT_FALSE(web::OpenWebPageQuietly(web::GamesPage(), nullptr));
    }
    EXPECT_EQ(throwing.calls.size(), 1u);

    RecordingShell opening(RecordingShell::Answer::Opened);
    web::ScopedShell scoped(opening);
    EXPECT_TRUE(web::OpenWebPageQuietly(web::GamesPage(), nullptr));
}

TEST(OpenWebPage, ScopedShellRestoresThePreviousOne)
{
    RecordingShell outer(RecordingShell::Answer::Opened);
    web::ScopedShell outerScope(outer);
    {
        RecordingShell inner(RecordingShell::Answer::Opened);
        web::ScopedShell innerScope(inner);
        EXPECT_EQ(&web::CurrentShell(), &inner);
    }
    EXPECT_EQ(&web::CurrentShell(), &outer);
}

// The desktop's dialogs, with only the browser hand-over replaced.
class NoBrowserShell : public web::DesktopShell {
public:
    bool Open(const QString&, QWidget*) override { return false; }
};

struct SeenDialog {
    QString caption;
    QString text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QWidget* parent;
};

TEST(DesktopShell, FailureDialogsAreModalOkOnlyBoxesWithExactTexts)
{
    NoBrowserShell shell;
    web::ScopedShell scoped(shell);
    QWidget owner;
    owner.show();

    std::vector<SeenDialog> seen;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        seen.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons(), box->parentWidget()});
        box->button(QMessageBox::Ok)->click();
    });
    poll.start();
    web::OpenWebPage(web::GamesPage(), &owner);
    poll.stop();

    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].caption.toStdString(), "Error");
    EXPECT_EQ(seen[0].text.toStdString(), "Could not find a web browser on your system!");
    EXPECT_EQ(seen[0].icon, QMessageBox::Critical);
    EXPECT_EQ(seen[1].caption.toStdString(), "Information");
    EXPECT_EQ(seen[1].text.toStdString(), "Please visit Tallyho at:  https://www.example.com");
    EXPECT_EQ(seen[1].icon, QMessageBox::Information);
    for (const auto& dialog : seen) {
        EXPECT_EQ(dialog.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        EXPECT_EQ(dialog.parent, &owner);
    }
}

TEST(DesktopShell, AnAddressThatDoesNotParseIsAFailure)
{
    web::DesktopShell shell;
    EXPECT_FALSE(shell.Open(QStringLiteral("http://exa mple.com/%zz"), nullptr));
}

}  // namespace
