// The command line's few options, and turning a missing display into one clear line.
#include "desktop/CommandLine.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace desktop {

namespace {

constexpr char HelpText[] =
    "Usage: plumfizz [--help | --version]\n"
    "Plumfizz Slots, a three-reel video slot machine.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "  -v, --version  show the version and exit\n"
    "\n"
    "The theme (symbol sheet, pictures, sounds, music, manual) is read from the\n"
    "directory of the program file, symbolic links followed. Games are saved in\n"
    "$XDG_CONFIG_HOME/tallyho/plumfizz.ini (~/.config/tallyho/ by default).\n";

// Platforms that draw without a display server.
bool PlatformNeedsNoDisplay(const QString& platform)
{
    const QString name = platform.section(QLatin1Char(':'), 0, 0);
    return name == QLatin1String("offscreen") || name == QLatin1String("minimal") || name == QLatin1String("vnc") ||
           name == QLatin1String("linuxfb") || name == QLatin1String("eglfs");
}

// Messages held while the display is being opened.
QtMessageHandler previousHandler = nullptr;
QList<std::pair<QtMsgType, QString>>* heldMessages = nullptr;

void GuardMessages(QtMsgType type, const QMessageLogContext& /*context*/, const QString& message)
{
    if (type == QtFatalMsg) {
        // Qt gives up only when no platform could be opened: say it once, end cleanly.
        std::fprintf(stderr, "%s\n", NoDisplayMessage);
        std::fflush(stderr);
        std::_Exit(1);
    }
    // Held as text only; the context's strings need not outlive the call.
    heldMessages->append({type, message});
}

}  // namespace

CommandLineRequest ParseCommandLine(const std::vector<std::string>& arguments)
{
    using Kind = CommandLineRequest::Kind;
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h") return {Kind::Help, HelpText};
        if (argument == "--version" || argument == "-v") return {Kind::Version, "plumfizz " PLUMFIZZ_VERSION "\n"};
        return {Kind::UsageError,
                "plumfizz: unknown argument '" + argument + "' (usage: plumfizz [--help | --version])\n"};
    }
    return {};
}

bool DisplayNamed()
{
    if (PlatformNeedsNoDisplay(qEnvironmentVariable("QT_QPA_PLATFORM"))) return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

DisplayOpenGuard::DisplayOpenGuard()
{
    heldMessages = new QList<std::pair<QtMsgType, QString>>();
    previousHandler = qInstallMessageHandler(GuardMessages);
}

DisplayOpenGuard::~DisplayOpenGuard()
{
    qInstallMessageHandler(previousHandler);
    for (const auto& [type, message] : *heldMessages) {
        qt_message_output(type, QMessageLogContext(), message);
    }
    delete heldMessages;
    heldMessages = nullptr;
}

}  // namespace desktop
