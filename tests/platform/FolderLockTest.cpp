#include "platform/Error.h"
#include "platform/FolderLock.h"
#include "tests/support/TempFolder.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace tavlo::test {
namespace {

using namespace std::chrono_literals;

TEST(FolderLock, IsHeldByOneHolderAtATime)
{
    TempFolder folder;
    const QString path = folder.file("kilit");
    {
        auto first = FolderLock::acquire(path);
        ASSERT_TRUE(first.has_value());
        EXPECT_FALSE(FolderLock::acquire(path).has_value());
        EXPECT_FALSE(FolderLock::acquire(path, 30ms).has_value()) << "still held after the wait";
        FolderLock moved = std::move(*first);
        first.reset();
        EXPECT_FALSE(FolderLock::acquire(path).has_value()) << "a moved lock is still held";
    }
    EXPECT_TRUE(FolderLock::acquire(path).has_value()) << "let go with its holder";
}

// The lock of a program that dies goes with it: nothing is left to clean up.
TEST(FolderLock, OfAKilledProgramIsDroppedByTheSystem)
{
    TempFolder folder;
    const QString path = folder.file("kilit");
    // One process holds the lock: the shell takes it on its own descriptor
    // and becomes the sleep.
    QProcess holder;
    holder.start("sh", {"-c", "exec 9>\"$0\"; flock 9; echo locked; exec sleep 600", path});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    EXPECT_FALSE(FolderLock::acquire(path).has_value());

    holder.kill();
    ASSERT_TRUE(holder.waitForFinished());
    EXPECT_TRUE(FolderLock::acquire(path).has_value());
}

TEST(FolderLock, WaitsForAHolderThatLetsGo)
{
    TempFolder folder;
    const QString path = folder.file("kilit");
    QProcess holder;
    // Holds the lock until this test writes a line to it.
    holder.start("sh", {"-c", "exec 9>\"$0\"; flock 9; echo locked; read line", path});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    ASSERT_FALSE(FolderLock::acquire(path).has_value());
    holder.write("go\n");
    ASSERT_TRUE(holder.waitForBytesWritten());
    EXPECT_TRUE(FolderLock::acquire(path, 60s).has_value());
}

TEST(FolderLock, ThatCannotBeMadeRaises)
{
    TempFolder folder;
    EXPECT_THROW(FolderLock::acquire(folder.file("missing/kilit")), Error);
}

}  // namespace
}  // namespace tavlo::test
