// The termination signals (a logout, `kill`, Ctrl+C in the terminal) brought to the window as a request to close.
#pragma once

#include <QObject>

#include <signal.h>

class QSocketNotifier;

namespace desktop {

// Turns SIGTERM, SIGHUP and SIGINT (a logout, `kill`, Ctrl+C) into a Qt signal on the UI
// thread, so the window can close as its close box would and save the game.
// The handler only writes the signal's number to a socket pair; everything
// else happens in the event loop. One instance at a time; the previous
// handlers come back when it is destroyed.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // False when the socket pair or a handler could not be set up; the
    // program then simply ends on these signals, as it would without this.
    bool IsActive() const { return active_; }

    // The signal that arrived last (SIGTERM, SIGHUP or SIGINT), 0 before any.
    int LastSignal() const { return lastSignal_; }

signals:
    void terminationRequested();

private:
    void ReadPending();

    QSocketNotifier* notifier_ = nullptr;
    struct sigaction previousTerm_ {};
    struct sigaction previousHup_ {};
    struct sigaction previousInt_ {};
    bool termInstalled_ = false;
    bool hupInstalled_ = false;
    bool intInstalled_ = false;
    bool active_ = false;
    int lastSignal_ = 0;
};

}  // namespace desktop
