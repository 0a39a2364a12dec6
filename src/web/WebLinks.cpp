// Handing the publisher's pages to the browser, and the two dialogs that tell of a failure.
#include "WebLinks.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#include <exception>

namespace web {

namespace {

Shell* g_shell = nullptr;

// Any failure to reach the browser, including an exception from the desktop
// services, is the same "no browser" case for the player.
bool TryOpen(const QString& address, QWidget* owner)
{
    try {
        return CurrentShell().Open(address, owner);
    } catch (const std::exception&) {
        return false;
    }
}

void ShowOkOnly(QMessageBox::Icon icon, const QString& caption, const QString& text, QWidget* owner)
{
    QMessageBox box(icon, caption, text, QMessageBox::Ok, owner);
    // Addresses and errors are shown as they are, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace

QString GamesPage()
{
    return QString::fromLatin1(PublisherSite) + QStringLiteral("/games");
}

QString GamePage(const QString& webPageName)
{
    return QString::fromLatin1(PublisherSite) + QStringLiteral("/games/") + webPageName + QStringLiteral(".html");
}

QString PleaseVisitText()
{
    return QStringLiteral("Please visit ") + QStringLiteral("Tallyho") + QStringLiteral(" at:  ") +
           QString::fromLatin1(PublisherSite);
}

bool DesktopShell::Open(const QString& address, QWidget*)
{
    // StrictMode: an address that does not parse is a failure to open, not a
    // guess at what was meant.
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid()) return false;
    return QDesktopServices::openUrl(url);
}

void DesktopShell::ShowError(const QString& text, QWidget* owner)
{
    ShowOkOnly(QMessageBox::Critical, QStringLiteral("Error"), text, owner);
}

void DesktopShell::ShowInformation(const QString& text, QWidget* owner)
{
    ShowOkOnly(QMessageBox::Information, QStringLiteral("Information"), text, owner);
}

Shell& CurrentShell()
{
    static DesktopShell desktop;
    return g_shell ? *g_shell : desktop;
}

ScopedShell::ScopedShell(Shell& shell) : previous_(g_shell)
{
    g_shell = &shell;
}

ScopedShell::~ScopedShell()
{
    g_shell = previous_;
}

void OpenWebPage(const QString& address, QWidget* owner)
{
    if (TryOpen(address, owner)) return;
    Shell& shell = CurrentShell();
    shell.ShowError(QString::fromLatin1(BrowserMissingText), owner);
    shell.ShowInformation(PleaseVisitText(), owner);
}

bool OpenWebPageQuietly(const QString& address, QWidget* owner)
{
    return TryOpen(address, owner);
}

}  // namespace web
