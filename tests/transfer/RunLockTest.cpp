#include "platform/FolderLock.h"
#include "tests/transfer/TransferRig.h"
#include "transfer/TransferStatus.h"

#include <gtest/gtest.h>

namespace tavlo::test {
namespace {

// Two runs on one application folder would append to the same files and
// read the same unconfirmed records: the second one refuses, touching
// nothing, until the first is over.
TEST(RunLock, ARunWhileAnotherHoldsTheFolderRefusesAndTouchesNothing)
{
    EmulatedTerminal terminal(someRecords(2));
    TransferRig rig;
    const qint32 id = rig.addTerminal(terminal);
    rig.setShown(id, {"eski", 55});
    {
        const auto other = FolderLock::acquire(rig.app.file(TransferRun::kLockFile));
        ASSERT_TRUE(other.has_value());
        EXPECT_EQ(rig.run(), TransferRun::Ended::FolderBusy);
        EXPECT_EQ(rig.dialogs.messages, QStringList{QString::fromUtf8(TransferRun::kFolderBusyMessage)});
        EXPECT_FALSE(rig.app.exists("Hareketler.txt"));
        EXPECT_EQ(rig.shows(id), (RowShows{"eski", 55}));
        EXPECT_EQ(terminal.confirmed(), 0u);
    }
    EXPECT_EQ(rig.run(), TransferRun::Ended::Ran);
    EXPECT_EQ(rig.movement(), entryLines(1, someRecords(2)));
    EXPECT_EQ(rig.shows(id).text, QString::fromUtf8(TransferStatus::kCompleted));
    EXPECT_TRUE(FolderLock::acquire(rig.app.file(TransferRun::kLockFile)).has_value())
        << "the run let the folder go";
}

}  // namespace
}  // namespace tavlo::test
