// The program: the application's title, the main window, the message loop.
#include <QApplication>

#include "table/Platform.h"
#include "table/TForm1.h"
#include "table/TerminationSignals.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // The name only: a display name would be appended to every window title.
    QApplication::setApplicationName(QString::fromLatin1(table::ApplicationTitle));

    table::DesktopPlatform platform;
    table::DesktopMessageBoxes boxes;
    table::TForm1 form(platform, boxes);
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
