// The program: the application's title, the main window, the message loop.
#include <QApplication>

#include <cstdio>

#include "engine/Outcomes.h"
#include "store/GameStore.h"
#include "store/SettingsFile.h"
#include "table/InstanceLock.h"
#include "table/Platform.h"
#include "table/TForm1.h"
#include "table/TerminationSignals.h"

#ifdef PLUMFIZZ_FORCED_STOPS
#include <cstdlib>

#include "table/ForcedStops.h"
#endif

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // The name only: a display name would be appended to every window title.
    QApplication::setApplicationName(QString::fromLatin1(table::ApplicationTitle));

#ifdef PLUMFIZZ_FORCED_STOPS
    // Only the end-to-end test build: PLUMFIZZ_TEST_STOPS="a,b,c" forces the
    // stops of every spin. The game as shipped cannot be told where to stop.
    table::ForcedStops outcomes(table::ParseForcedStops(std::getenv("PLUMFIZZ_TEST_STOPS")));
#else
    engine::OutcomeSource& outcomes = engine::DefaultOutcomes();
#endif

    table::DesktopPlatform platform;
    table::DesktopMessageBoxes boxes;

    // Two copies would overwrite each other's saved games: the second one
    // says so and ends before it reads or writes anything.
    const std::string baseName = store::ProgramBaseName(platform.ProgramPath().toStdString());
    const table::InstanceLock lock(
        table::InstanceLockPath(QString::fromStdString(store::SettingsFile(baseName + ".ini").Path().string())));
    if (lock.Result() == table::InstanceLock::Outcome::AlreadyRunning) {
        const QString text = QStringLiteral("Plumfizz Slots is already running.");
        std::fprintf(stderr, "%s\n", qPrintable(text));  // for a start from a terminal
        boxes.Plain(nullptr, QString::fromLatin1(table::ApplicationTitle), text);
        return 1;
    }

    table::TForm1 form(platform, boxes, outcomes);
    if (!form.StartupSucceeded()) {
        // The player has been told what is missing; nothing has been written.
        return 1;
    }

    // A logout or `kill` closes the game as its close box would, so it is saved.
    table::TerminationSignals termination;
    QObject::connect(&termination, &table::TerminationSignals::terminationRequested, &form,
                     &table::TForm1::OnTerminationRequested);

    form.ShowTable();
    return application.exec();
}
