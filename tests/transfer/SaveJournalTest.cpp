#include "platform/Error.h"
#include "tests/support/TempFolder.h"
#include "transfer/MovementLines.h"
#include "transfer/SaveJournal.h"
#include "transfer/TransferFiles.h"

#include <QDir>
#include <gtest/gtest.h>

namespace tavlo::test {
namespace {

const QString kTerminal = QStringLiteral("1 1 127.0.0.1:5005");
const QString kOther = QStringLiteral("1 2 127.0.0.1:5006");

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

    SaveJournal::Entry note(SaveJournal::Stage stage, const QString& terminal = kTerminal) const
    {
        return {stage, terminal, 40, 2, folder.file("Hareketler.txt"), 14,
                folder.file("Backup/2024-03-05.txt"), 12};
    }

    // What a run killed in the middle of a save leaves: the note and part
    // of a line in each file.
    void leaveATornSave(SaveJournal::Stage stage) const
    {
        journal().write({note(stage)});
        folder.write("Hareketler.txt", "old movement\r\n001,0000");
        folder.write("Backup/2024-03-05.txt", "old backup\r\n001,000001,1,2024/03/05,08:00:00,1\r\n");
    }

    TempFolder folder;
};

TEST_F(SaveJournalTest, SaysSavedWithTheSizesAndRecordsUntilTheTerminalAcknowledged)
{
    TransferFiles run = files();
    run.load();
    run.save(twoLines(), {kTerminal, 40, 3});
    const std::vector<SaveJournal::Entry> notes = journal().read();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0], (SaveJournal::Entry{SaveJournal::Stage::Saved, kTerminal, 40, 3,
                                            folder.file("Hareketler.txt"), 14,
                                            folder.file("Backup/2024-03-05.txt"), 12}));
    const auto waiting = run.unconfirmed(kTerminal);
    ASSERT_TRUE(waiting.has_value());
    EXPECT_EQ(waiting->start, 40);
    EXPECT_EQ(waiting->count, 3);
    EXPECT_FALSE(run.unconfirmed(kOther).has_value());

    run.confirmed(kTerminal);
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
    EXPECT_FALSE(next.unconfirmed(kTerminal).has_value()) << "a cut-back save has nothing to confirm";

    next.save(twoLines(), {kTerminal, 40, 2});
    next.confirmed(kTerminal);
    EXPECT_EQ(folder.read("Hareketler.txt"),
              "old movement\r\n001,000001,1,2024/03/05,08:00:00,1\r\n001,000002,1,2024/03/05,08:01:00,1\r\n");
}

TEST_F(SaveJournalTest, AFinishedSaveKeepsItsLinesAndWaitsForItsTerminal)
{
    leaveATornSave(SaveJournal::Stage::Saved);
    TransferFiles next = files();
    next.load();
    EXPECT_EQ(folder.read("Hareketler.txt"), "old movement\r\n001,0000");
    const auto waiting = next.unconfirmed(kTerminal);
    ASSERT_TRUE(waiting.has_value());
    EXPECT_EQ(waiting->start, 40);
    EXPECT_EQ(waiting->count, 2);
}

TEST_F(SaveJournalTest, EachTerminalKeepsItsOwnNote)
{
    TransferFiles run = files();
    run.load();
    run.save(twoLines(), {kTerminal, 0, 2});
    run.save(twoLines(), {kOther, 7, 5});
    ASSERT_EQ(journal().read().size(), 2u);
    run.confirmed(kOther);
    EXPECT_FALSE(run.unconfirmed(kOther).has_value());
    ASSERT_TRUE(run.unconfirmed(kTerminal).has_value());
    EXPECT_EQ(run.unconfirmed(kTerminal)->count, 2);
}

// Notes written before the journal named records: "saving" is still cut
// back, "saved" keeps its lines and waits for nothing.
TEST_F(SaveJournalTest, ANoteOfTheOlderKindIsSettledAsBefore)
{
    const QByteArray saving = "saving\n" + folder.file("Hareketler.txt").toUtf8() + "\n14\n"
                              + folder.file("Backup/2024-03-05.txt").toUtf8() + "\n12\n";
    folder.write("Aktarim.kayit", saving);
    folder.write("Hareketler.txt", "old movement\r\n001,0000");
    files().load();
    EXPECT_EQ(folder.read("Hareketler.txt"), "old movement\r\n");
    EXPECT_FALSE(folder.exists("Aktarim.kayit"));

    folder.write("Aktarim.kayit", "saved" + saving.mid(6));
    folder.write("Hareketler.txt", "old movement\r\nkept\r\n");
    files().load();
    EXPECT_EQ(folder.read("Hareketler.txt"), "old movement\r\nkept\r\n");
    EXPECT_FALSE(folder.exists("Aktarim.kayit"));
}

TEST_F(SaveJournalTest, ANoteThatDoesNotReadChangesNoFile)
{
    for (const QByteArray& damaged : {QByteArray("saving\nnot a size\n"),
                                     QByteArray("Aktarim 2\nsaving\n1 1\n0\n2\n"),
                                     QByteArray("Aktarim 2\nsaving\nt\n0\n-2\nm\n0\nb\n0\n")}) {
        folder.write("Aktarim.kayit", damaged);
        EXPECT_TRUE(journal().read().empty()) << damaged.constData();
        files().load();
        EXPECT_EQ(folder.read("Hareketler.txt"), "old movement\r\n");
        EXPECT_FALSE(folder.exists("Aktarim.kayit"));
    }
}

TEST_F(SaveJournalTest, NothingToSaveWritesNoNote)
{
    TransferFiles run = files();
    run.load();
    run.save(MovementLines{}, {kTerminal, 0, 5});
    EXPECT_FALSE(folder.exists("Aktarim.kayit"));
}

// A file that cannot be cut back must not make the note forget it: the next
// run tries again, instead of keeping a torn line for ever.
TEST_F(SaveJournalTest, ACutBackThatCannotOpenItsFileRaisesAndKeepsTheNote)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir("NotAFile"));
    SaveJournal::Entry saving = note(SaveJournal::Stage::Saving);
    saving.movementPath = folder.file("NotAFile");
    saving.movementSize = 0;  // a folder reports a size above 0
    journal().write({saving});

    EXPECT_THROW(journal().recover(), Error);
    EXPECT_EQ(journal().read(), std::vector{saving});
    EXPECT_EQ(folder.read("Backup/2024-03-05.txt"), "old backup\r\n");
}

TEST_F(SaveJournalTest, AFileAlreadyShorterThanItsNoteStaysAsItIs)
{
    SaveJournal::Entry saving = note(SaveJournal::Stage::Saving);
    saving.movementSize = 100;
    saving.backupSize = 100;
    journal().write({saving});
    files().load();
    EXPECT_EQ(folder.read("Hareketler.txt"), "old movement\r\n");
    EXPECT_EQ(folder.read("Backup/2024-03-05.txt"), "old backup\r\n");
    EXPECT_FALSE(folder.exists("Aktarim.kayit"));
}

}  // namespace
}  // namespace tavlo::test
