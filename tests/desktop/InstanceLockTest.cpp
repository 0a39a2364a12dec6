// The single-copy lock: a live holder keeps a second copy out, a dead one's
// lock is taken over, and a profile path that cannot hold a lock is told apart.
#include "desktop/InstanceLock.h"

#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Outcome = desktop::InstanceLock::Outcome;

TEST(InstanceLock, ALiveHolderKeepsTheNextCopyOutAndADeadOnesLockIsTakenOver)
{
    QTemporaryDir dir;
    const QString path = desktop::InstanceLockPath(dir.path() + QStringLiteral("/tallyho/plumfizz.ini"));
    EXPECT_TRUE(path.endsWith(QStringLiteral("/tallyho/plumfizz.ini.lock")));
    {
        const desktop::InstanceLock first(path);
        EXPECT_EQ(first.Result(), Outcome::Held);
        const desktop::InstanceLock second(path);
        EXPECT_EQ(second.Result(), Outcome::AlreadyRunning);
        EXPECT_TRUE(QFile::exists(path));
    }
    EXPECT_FALSE(QFile::exists(path)) << "the lock goes with its holder";

    // A lock left by a process that is gone (a crash, a kill -9).
    {
        QFile stale(path);
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
        stale.write("4194000\nplumfizz\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    }
    const desktop::InstanceLock after(path);
    EXPECT_EQ(after.Result(), Outcome::Held);
}

TEST(InstanceLock, AProfilePathThatIsAFileHoldsNoLock)
{
    QTemporaryDir dir;
    QFile blocker(dir.path() + QStringLiteral("/tallyho"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const desktop::InstanceLock lock(desktop::InstanceLockPath(blocker.fileName() + QStringLiteral("/plumfizz.ini")));
    EXPECT_EQ(lock.Result(), Outcome::Unavailable);
}

}  // namespace
