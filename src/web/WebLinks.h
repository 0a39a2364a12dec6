// The publisher's web pages and how they reach the user's browser, with the dialogs shown when
// no browser takes them.
#pragma once

#include <QString>

class QWidget;

namespace web {

// The publisher's home page, without a trailing separator. A reserved example
// domain: the program must never send players to somebody else's site.
inline constexpr char PublisherSite[] = "https://www.example.com";

// PublisherSite + "/games"
QString GamesPage();

// PublisherSite + "/games/" + pageName + ".html": a product's own page.
QString GamePage(const QString& webPageName);

// How an address reaches the user's browser and how a failure is told. The
// desktop's implementation is the default; tests put their own in place.
class Shell {
public:
    virtual ~Shell() = default;

    // False when no program could be asked to open the address.
    virtual bool Open(const QString& address, QWidget* owner) = 0;

    // Modal message dialogs with an OK button only.
    virtual void ShowError(const QString& text, QWidget* owner) = 0;
    virtual void ShowInformation(const QString& text, QWidget* owner) = 0;
};

// QDesktopServices for the address, QMessageBox for the dialogs.
class DesktopShell : public Shell {
public:
    bool Open(const QString& address, QWidget* owner) override;
    void ShowError(const QString& text, QWidget* owner) override;
    void ShowInformation(const QString& text, QWidget* owner) override;
};

// The shell that OpenWebPage uses; the desktop's unless replaced.
Shell& CurrentShell();

// Puts a shell in place for the lifetime of this object (tests).
class ScopedShell {
public:
    explicit ScopedShell(Shell& shell);
    ~ScopedShell();
    ScopedShell(const ScopedShell&) = delete;
    ScopedShell& operator=(const ScopedShell&) = delete;

private:
    Shell* previous_;
};

inline constexpr char BrowserMissingText[] = "Could not find a web browser on your system!";

// "Please visit Tallyho at:  " + PublisherSite
QString PleaseVisitText();

// Hands the address to the browser and returns at once. When that fails, the
// user is told in an error dialog and then an information dialog with the
// publisher's address, both owned by `owner`.
void OpenWebPage(const QString& address, QWidget* owner);

// The same hand-over without any failure dialog (the update reminder's Yes,
// asked while the window closes). Returns whether the hand-over succeeded.
bool OpenWebPageQuietly(const QString& address, QWidget* owner);

}  // namespace web
