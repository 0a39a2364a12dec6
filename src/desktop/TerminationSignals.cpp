// The termination signals' handler, which only writes to a socket pair, and the reading of that
// pair on the UI thread.
#include "desktop/TerminationSignals.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cerrno>

namespace desktop {

namespace {

// [0] is read by the UI thread, [1] written by the handler.
int g_pair[2] = {-1, -1};

extern "C" void OnTerminationSignal(int signal)
{
    // Only async-signal-safe calls here; errno belongs to the interrupted code.
    const int savedErrno = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    // Non-blocking: if the pair is full, a request is already pending anyway.
    [[maybe_unused]] const ssize_t written = ::write(g_pair[1], &number, 1);
    errno = savedErrno;
}

bool Install(int signal, struct sigaction& previous)
{
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return ::sigaction(signal, &action, &previous) == 0;
}

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    if (g_pair[0] != -1) return;  // another instance owns the handlers
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_pair) != 0) {
        g_pair[0] = g_pair[1] = -1;
        return;
    }
    notifier_ = new QSocketNotifier(g_pair[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::ReadPending);

    termInstalled_ = Install(SIGTERM, previousTerm_);
    hupInstalled_ = Install(SIGHUP, previousHup_);
    intInstalled_ = Install(SIGINT, previousInt_);
    active_ = termInstalled_ && hupInstalled_ && intInstalled_;
}

TerminationSignals::~TerminationSignals()
{
    if (termInstalled_) ::sigaction(SIGTERM, &previousTerm_, nullptr);
    if (hupInstalled_) ::sigaction(SIGHUP, &previousHup_, nullptr);
    if (intInstalled_) ::sigaction(SIGINT, &previousInt_, nullptr);
    if (notifier_) {
        notifier_->setEnabled(false);
        ::close(g_pair[0]);
        ::close(g_pair[1]);
        g_pair[0] = g_pair[1] = -1;
    }
}

void TerminationSignals::ReadPending()
{
    // Several signals may have queued up; one request covers them all.
    unsigned char numbers[64];
    bool any = false;
    for (;;) {
        const ssize_t count = ::read(g_pair[0], numbers, sizeof numbers);
        if (count > 0) {
            lastSignal_ = numbers[count - 1];
            any = true;
            continue;
        }
        if (count < 0 && errno == EINTR) continue;
        break;
    }
    if (any) emit terminationRequested();
}

}  // namespace desktop
