#include "tests/support/TempFolder.h"
#include "transfer/MovementLines.h"
#include "transfer/SaveJournal.h"
#include "transfer/TransferFiles.h"

#include <gtest/gtest.h>

namespace tavlo::test {
namespace {

MovementLines twoLines()
{
    MovementLines lines;
    lines.add("001,000001,1,2024/03/05,08:00:00,1");
    lines.add("001,000002,1,2024/03/05,08:01:00,1");
    return lines;
}

class SaveJournalTest : public testing::Test {
protected:
    SaveJournalTest()
    {
        folder.write("Hareketler.txt", "old movement\r\n");
        folder.write("Backup/2024-03-05.txt", "old backup\r\n");
    }

    TransferFiles files() const
    {
        return TransferFiles(folder.file("Hareketler.txt"), folder.file("Backup/2024-03-05.txt"),
                             folder.file("Aktarim.kayit"));
    }
    SaveJournal journal() const { return SaveJournal(folder.file("Aktarim.kayit")); }

    // What a run killed in the middle of a save leaves: the note and part
    // of a line in each file.
    void leaveATornSave(SaveJournal::Stage stage) const
    {
        journal().write({stage, folder.file("Hareketler.txt"), 14, folder.file("Backup/2024-03-05.txt"),
                         12});
        folder.write("Hareketler.txt", "old movement\r\n001,0000");
        folder.write("Backup/2024-03-05.txt", "old backup\r\n001,000001,1,2024/03/05,08:00:00,1\r\n");
    }

    TempFolder folder;
};

TEST_F(SaveJournalTest, SaysSavedWithTheSizesBeforeUntilTheTerminalIsTold)
{
    TransferFiles run = files();
    run.load();
    run.save(twoLines());
    const auto entry = journal().read();
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->stage, SaveJournal::Stage::Saved);
    EXPECT_EQ(entry->movementSize, 14);
    EXPECT_EQ(entry->backupSize, 12);
    EXPECT_EQ(entry->movementPath, folder.file("Hareketler.txt"));

    run.confirmed();
    EXPECT_FALSE(folder.exists("Aktarim.kayit"));
}

TEST_F(SaveJournalTest, ASaveCutShortIsCutBackByTheNextRun)
{
    leaveATornSave(SaveJournal::Stage::Saving);
    TransferFiles next = files();
    next.load();
    EXPECT_EQ(folder.read("Hareketler.txt"), "old movement\r\n");
    EXPECT_EQ(folder.read("Backup/2024-03-05.txt"), "old backup\r\n");
    EXPECT_FALSE(folder.exists("Aktarim.kayit"));

    next.save(twoLines());
    next.confirmed();
    EXPECT_EQ(folder.read("Hareketler.txt"),
              "old movement\r\n001,000001,1,2024/03/05,08:00:00,1\r\n001,000002,1,2024/03/05,08:01:00,1\r\n");
}

TEST_F(SaveJournalTest, AFinishedSaveIsKeptByTheNextRun)
{
    leaveATornSave(SaveJournal::Stage::Saved);
    files().load();
    EXPECT_EQ(folder.read("Hareketler.txt"), "old movement\r\n001,0000");
    EXPECT_FALSE(folder.exists("Aktarim.kayit"));
}

TEST_F(SaveJournalTest, ANoteThatDoesNotReadChangesNoFile)
{
    folder.write("Aktarim.kayit", "saving\nnot a size\n");
    files().load();
    EXPECT_EQ(folder.read("Hareketler.txt"), "old movement\r\n");
    EXPECT_FALSE(folder.exists("Aktarim.kayit"));
}

TEST_F(SaveJournalTest, NothingToSaveWritesNoNote)
{
    TransferFiles run = files();
    run.load();
    run.save(MovementLines{});
    EXPECT_FALSE(folder.exists("Aktarim.kayit"));
}

}  // namespace
}  // namespace tavlo::test
