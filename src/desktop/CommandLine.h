// The program's command line and the first check of start-up: what is asked
// (play, help, version, the history) and whether a graphical display can be
// had at all.
#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace desktop {

struct CommandLineRequest {
    enum class Kind { Play, Help, Version, History, UsageError };
    Kind kind = Kind::Play;
    std::string text;  // what to print: the help, the version line or the one-line error
};

// The arguments after the program's name. --help (-h), --version (-v) and
// --history print and end; any other argument is an error.
CommandLineRequest ParseCommandLine(const std::vector<std::string>& arguments);

// --history: the running program's game history as CSV on standard output,
// without a display. 0, or 1 with one line on standard error when the
// history is there but cannot be read.
int PrintHistory();

// The line printed when the game cannot have a window.
inline constexpr char NoDisplayMessage[] =
    "Plumfizz Slots needs a graphical display (DISPLAY or WAYLAND_DISPLAY is not set or cannot be opened).";

// What is printed when Qt could open no platform: NoDisplayMessage, then
// Qt's own reason on lines of their own starting "Qt: " (the messages it gave
// while trying, such as the platform plugin it tried and why it failed, and
// the platforms it has, from its final message).
QString NoDisplayText(const QStringList& qtMessages, const QString& qtFailure);

// False when Qt would have to reach a display server and no display is named
// (QT_QPA_PLATFORM naming a platform without one, such as offscreen, needs none).
bool DisplayNamed();

// Turns Qt's failure to open the display while the application object is
// being made into NoDisplayText and exit status 1, instead of an abort;
// Qt's other messages of that moment are passed on once it succeeded.
class DisplayOpenGuard {
public:
    DisplayOpenGuard();
    ~DisplayOpenGuard();
    DisplayOpenGuard(const DisplayOpenGuard&) = delete;
    DisplayOpenGuard& operator=(const DisplayOpenGuard&) = delete;
};

}  // namespace desktop
