// The command line's few options, and turning a missing display into one clear line.
#include "desktop/CommandLine.h"

#include <QList>
#include <QStringList>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <utility>

#include "store/GameHistory.h"
#include "store/GameStore.h"
#include "store/HistoryKeeper.h"
#include "store/WaitingEntries.h"

namespace desktop {

namespace {

constexpr char HelpText[] =
    "Usage: plumfizz [--help | --version | --history]\n"
    "Plumfizz Slots, a three-reel video slot machine.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "  -v, --version  show the version and exit\n"
    "  --history      write the game history as CSV (oldest first) and exit\n"
    "\n"
    "The theme (symbol sheet, pictures, sounds, music, manual) is read from the\n"
    "directory of the program file, symbolic links followed; when none is there,\n"
    "from ../share/games/plumfizz and ../share/doc/plumfizz seen from it. Games are\n"
    "saved in $XDG_CONFIG_HOME/tallyho/plumfizz.ini (~/.config/tallyho/ by\n"
    "default), the history in $XDG_DATA_HOME/tallyho/plumfizz-history.sqlite\n"
    "(~/.local/share/tallyho/ by default).\n";

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

void GuardMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        // Qt gives up only when no platform could be opened: say it once, with
        // Qt's own reason, and end cleanly.
        QStringList reasons;
        for (const auto& held : *heldMessages) reasons.append(held.second);
        std::fprintf(stderr, "%s\n", qPrintable(NoDisplayText(reasons, message)));
        std::fflush(stderr);
        std::_Exit(1);
    }
    // Held as text only; the context's strings need not outlive the call.
    const QString category = QString::fromLatin1(context.category ? context.category : "");
    heldMessages->append({type, category.isEmpty() || category == QLatin1String("default")
                                    ? message
                                    : category + QStringLiteral(": ") + message});
}

// On stderr: the entries that wait to be written into the history, if any.
void TellWaiting(const std::string& baseName, const store::GameHistory* history)
{
    const std::filesystem::path waitingPath = store::WaitingEntriesPath(baseName);
    store::EntryCount waiting;
    try {
        waiting = store::WaitingInFile(waitingPath, history);
    } catch (const std::exception&) {
        waiting = store::WaitingInFile(waitingPath, nullptr);  // the history cannot tell which went in
    }
    if (waiting.entries == 0) return;
    const long long spins = waiting.spins, others = waiting.entries - waiting.spins;
    std::string what = std::to_string(spins) + (spins == 1 ? " spin" : " spins");
    if (others > 0) what += " and " + std::to_string(others) + (others == 1 ? " other entry" : " other entries");
    std::fprintf(stderr, "plumfizz: %s still %s to be written to the game history; kept meanwhile in %s.\n",
                 what.c_str(), waiting.entries == 1 ? "waits" : "wait", waitingPath.c_str());
}

}  // namespace

CommandLineRequest ParseCommandLine(const std::vector<std::string>& arguments)
{
    using Kind = CommandLineRequest::Kind;
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h") return {Kind::Help, HelpText};
        if (argument == "--version" || argument == "-v") return {Kind::Version, "plumfizz " PLUMFIZZ_VERSION "\n"};
        if (argument == "--history") return {Kind::History, {}};
        return {Kind::UsageError,
                "plumfizz: unknown argument '" + argument + "' (usage: plumfizz [--help | --version | --history])\n"};
    }
    return {};
}

int PrintHistory()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::canonical("/proc/self/exe", error);
    const std::string baseName = store::ProgramBaseName(program.string());
    const std::filesystem::path path = store::HistoryPath(baseName);
    try {
        const auto history = store::GameHistory::OpenForReading(path);
        if (history) {
            history->WriteCsv(std::cout);
        } else {
            std::cout << store::GameHistory::CsvHeader();
        }
        std::cout.flush();
        TellWaiting(baseName, history.get());
        return std::cout ? 0 : 1;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "plumfizz: the game history %s cannot be read: %s\n", path.c_str(), failure.what());
        TellWaiting(baseName, nullptr);
        return 1;
    }
}

QString NoDisplayText(const QStringList& qtMessages, const QString& qtFailure)
{
    QString text = QString::fromLatin1(NoDisplayMessage);
    for (const QString& message : qtMessages) {
        if (!message.trimmed().isEmpty()) text += QStringLiteral("\nQt: ") + message.trimmed();
    }
    // Of Qt's last word only the platforms it has; its advice to reinstall
    // the application is beside the point.
    const qsizetype available = qtFailure.indexOf(QLatin1String("Available platform plugins are:"));
    if (available >= 0) text += QStringLiteral("\nQt: ") + qtFailure.mid(available).simplified();
    return text;
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
