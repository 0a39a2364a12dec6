// The program: its command line, the application's title, the main window, the message loop.
#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "desktop/CommandLine.h"
#include "desktop/InstanceLock.h"
#include "desktop/Platform.h"
#include "desktop/TerminationSignals.h"
#include "dialogs/MessageBoxes.h"
#include "engine/Outcomes.h"
#include "pictures/BuiltInPictures.h"
#include "store/GameStore.h"
#include "store/SettingsFile.h"
#include "table/MainWindow.h"

#ifdef PLUMFIZZ_FORCED_STOPS
#include <cstdlib>

#include "play/ForcedStops.h"
#endif

int main(int argc, char* argv[])
{
    // Help, version and argument errors need no window.
    const desktop::CommandLineRequest request =
        desktop::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (request.kind) {
    case desktop::CommandLineRequest::Kind::Help:
    case desktop::CommandLineRequest::Kind::Version: std::fputs(request.text.c_str(), stdout); return 0;
    case desktop::CommandLineRequest::Kind::UsageError: std::fputs(request.text.c_str(), stderr); return 2;
    case desktop::CommandLineRequest::Kind::History: return desktop::PrintHistory();
    case desktop::CommandLineRequest::Kind::Play: break;
    }
    if (!desktop::DisplayNamed()) {
        std::fprintf(stderr, "%s\n", desktop::NoDisplayMessage);
        return 1;
    }

    std::optional<desktop::DisplayOpenGuard> displayGuard(std::in_place);
    QApplication application(argc, argv);
    displayGuard.reset();
    // The name only: a display name would be appended to every window title.
    QApplication::setApplicationName(QString::fromLatin1(dialogs::ApplicationTitle));
    // The launcher's entry and icon; every window shows the icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("plumfizz"));
    QApplication::setWindowIcon(pictures::ProgramIcon());

#ifdef PLUMFIZZ_FORCED_STOPS
    // Only the end-to-end test build: PLUMFIZZ_TEST_STOPS="a,b,c" forces the
    // stops of every spin. The game as shipped cannot be told where to stop.
    play::ForcedStops outcomes(play::ParseForcedStops(std::getenv("PLUMFIZZ_TEST_STOPS")));
#else
    engine::OutcomeSource& outcomes = engine::DefaultOutcomes();
#endif

    desktop::DesktopPlatform platform;
    dialogs::DesktopMessageBoxes boxes;
    // The browser's failure boxes in the look of the game's own.
    dialogs::CabinetShell browserShell;
    const web::ScopedShell browserShellInPlace(browserShell);

    // Two copies would overwrite each other's saved games: the second one
    // says so and ends before it reads or writes anything.
    const std::string baseName = store::ProgramBaseName(platform.ProgramPath().toStdString());
    const desktop::InstanceLock lock(
        desktop::InstanceLockPath(QString::fromStdString(store::SettingsFile(baseName + ".ini").Path().string())));
    if (lock.Result() == desktop::InstanceLock::Outcome::AlreadyRunning) {
        const QString text = QStringLiteral("Plumfizz Slots is already running.");
        std::fprintf(stderr, "%s\n", qPrintable(text));  // for a start from a terminal
        boxes.Plain(nullptr, QString::fromLatin1(dialogs::ApplicationTitle), text);
        return 1;
    }

    table::MainWindow form(platform, boxes, outcomes);
    if (!form.StartupSucceeded()) {
        // The player has been told what is missing; nothing has been written.
        return 1;
    }

    // A logout or `kill` closes the game as its close box would, so it is saved.
    desktop::TerminationSignals termination;
    QObject::connect(&termination, &desktop::TerminationSignals::terminationRequested, &form,
                     &table::MainWindow::OnTerminationRequested);

    form.ShowTable();
    return application.exec();
}
