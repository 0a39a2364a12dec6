// The lock that keeps a second copy of the game away from the saved games
// while one copy runs.
#pragma once

#include <QLockFile>
#include <QString>

namespace desktop {

// The lock file beside a settings file: "<file>.lock".
QString InstanceLockPath(const QString& settingsFilePath);

// Takes the lock for the whole run. A lock left by a copy that died is taken
// over; one held by a running copy is not. Creating the lock may create the
// profile directory; nothing else is written.
class InstanceLock {
public:
    enum class Outcome {
        Held,            // this copy owns the settings file
        AlreadyRunning,  // another live copy does: end without touching a file
        Unavailable,     // the directory cannot hold a lock (saves will fail and say so)
    };

    explicit InstanceLock(const QString& lockPath);
    Outcome Result() const { return outcome_; }

private:
    QLockFile lock_;
    Outcome outcome_ = Outcome::Unavailable;
};

}  // namespace desktop
