// The confirmation of a terminal's records happens exactly once: when the
// terminal's acknowledgement never comes, or the program dies between its
// save and the confirmation, the next run confirms the saved records before
// it reads, so that none comes twice; and a save cut short by the kernel is
// cut back, so that none is torn.

#include "tests/transfer/TransferRig.h"
#include "transfer/TransferStatus.h"

#include <QFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

namespace tavlo::test {
namespace {

const QString kCompleted = QString::fromUtf8(TransferStatus::kCompleted);
const QString kUnconfirmed = QString::fromUtf8(TransferStatus::kUnconfirmed);

const QByteArray kEarlier = "001,000999,1,2024/03/01,07:00:00,1\r\n";

// The two records with which a lost confirmation was first seen to double
// the lines.
std::vector<LogRecord> twoRecords()
{
    return someRecords(2);
}

QByteArray journal(const TransferRig& rig)
{
    return rig.app.exists(TransferRun::kSaveJournalFile) ? rig.app.read(TransferRun::kSaveJournalFile)
                                                          : QByteArray();
}

bool journalSaysSaved(const TransferRig& rig)
{
    return journal(rig).contains("\nsaved\n");
}

QStringList childArguments(const TransferRig& rig, const QString& fileSize = {})
{
    QStringList arguments{rig.app.file("Cihazlar.Dat"), rig.app.withSeparator(),
                          rig.app.file("Hareketler.txt"), TransferRig::kToday.toString(Qt::ISODate),
                          "0", "0"};
    if (!fileSize.isEmpty())
        arguments << fileSize;
    return arguments;
}

TEST(LostConfirmation, KeepsTheNoteAndTheNextRunConfirmsWithoutDoubling)
{
    EmulatedTerminal terminal(twoRecords(), {"--lose-confirmation"});
    TransferRig rig;
    const qint32 id = rig.addTerminal(terminal);
    rig.app.write("Hareketler.txt", kEarlier);
    const QByteArray lines = entryLines(1, twoRecords());

    rig.run();
    EXPECT_EQ(rig.shows(id), (RowShows{kUnconfirmed, 100})) << "not reported as a success";
    EXPECT_EQ(rig.movement(), kEarlier + lines);
    EXPECT_EQ(rig.backup(), lines);
    EXPECT_EQ(terminal.confirmed(), 0u);
    EXPECT_TRUE(journalSaysSaved(rig));

    // The closing message is still lost, but the confirmation of the saved
    // range on the next link arrives.
    rig.run();
    EXPECT_EQ(rig.shows(id).text, kCompleted);
    EXPECT_EQ(rig.movement(), kEarlier + lines);
    EXPECT_EQ(rig.backup(), lines);
    EXPECT_EQ(terminal.confirmed(), 2u);
    EXPECT_FALSE(rig.app.exists(TransferRun::kSaveJournalFile));

    // New records after that come once, and only they.
    terminal.addRecords(someRecords(3, 50));
    rig.setPort(id, terminal.port());
    rig.run();
    EXPECT_EQ(rig.shows(id), (RowShows{kCompleted, 100}));
    EXPECT_EQ(rig.movement(), kEarlier + lines + entryLines(1, someRecords(3, 50)));
    EXPECT_EQ(terminal.confirmed(), 5u);
}

// A terminal that cannot be reached on the next run keeps its note: its
// records are neither read nor confirmed until it can be.
TEST(LostConfirmation, ATerminalOutOfReachKeepsItsNoteForALaterRun)
{
    EmulatedTerminal terminal(twoRecords(), {"--lose-confirmation"});
    TransferRig rig;
    const qint32 id = rig.addTerminal(terminal);
    rig.run();
    ASSERT_TRUE(journalSaysSaved(rig));

    terminal.restart({"--refuse"});
    rig.setPort(id, terminal.port());
    rig.run();
    EXPECT_EQ(rig.shows(id).text, QString::fromUtf8(TransferStatus::kNotLinked));
    EXPECT_TRUE(journalSaysSaved(rig));
    EXPECT_EQ(terminal.confirmed(), 0u);

    terminal.restart();
    rig.setPort(id, terminal.port());
    rig.run();
    EXPECT_EQ(rig.shows(id).text, kCompleted);
    EXPECT_EQ(rig.movement(), entryLines(1, twoRecords()));
    EXPECT_EQ(terminal.confirmed(), 2u);
    EXPECT_FALSE(rig.app.exists(TransferRun::kSaveJournalFile));
}

// The run goes on in a process of its own, which is killed once both files
// hold the terminal's lines and the note says so, while it waits for the
// terminal to acknowledge the confirmation that never arrived.
TEST(KilledBeforeTheConfirmation, TheNextRunConfirmsAndDoublesNothing)
{
    EmulatedTerminal terminal(twoRecords(), {"--hold-confirmation"});
    TransferRig rig;
    // The child waits for the acknowledgement far longer than it takes this
    // process to see the note and kill it.
    rig.driver.setTimeouts(1000, 60000);
    const qint32 id = rig.addTerminal(terminal);
    rig.app.write("Hareketler.txt", kEarlier);
    rig.data.CihazTable.SaveTableFile(rig.app.file("Cihazlar.Dat"));

    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(TRANSFER_CHILD_PROGRAM, childArguments(rig));
    ASSERT_TRUE(child.waitForStarted());
    while (child.state() == QProcess::Running && !journalSaysSaved(rig))
        child.waitForFinished(5);
    ASSERT_EQ(child.state(), QProcess::Running) << "the child ended before its confirmation";
    child.kill();
    ASSERT_TRUE(child.waitForFinished());

    const QByteArray lines = entryLines(1, twoRecords());
    EXPECT_EQ(rig.movement(), kEarlier + lines);
    EXPECT_EQ(terminal.confirmed(), 0u);

    terminal.restart();
    rig.setPort(id, terminal.port());
    rig.driver.setTimeouts(1000, 3000);
    rig.run();
    EXPECT_EQ(rig.shows(id).text, kCompleted);
    EXPECT_EQ(rig.movement(), kEarlier + lines);
    EXPECT_EQ(rig.backup(), lines);
    EXPECT_EQ(terminal.confirmed(), 2u);
    EXPECT_FALSE(rig.app.exists(TransferRun::kSaveJournalFile));
}

// The kernel kills the run in the middle of its append to the movement
// file (a file-size limit, as a full disk that the program cannot survive):
// the file holds part of the lines and the note says "saving". The next
// run cuts the part back and takes every record once.
TEST(KilledInsideAnAppend, TheNextRunCutsTheTornLinesBack)
{
    const std::vector<LogRecord> records = someRecords(40);
    EmulatedTerminal terminal(records);
    TransferRig rig;
    rig.addTerminal(terminal);
    QByteArray earlier;
    for (int i = 0; i < 20; ++i)
        earlier += kEarlier;
    rig.app.write("Hareketler.txt", earlier);
    rig.data.CihazTable.SaveTableFile(rig.app.file("Cihazlar.Dat"));
    // Room for the note (a few hundred bytes, a file of its own) but not for
    // the terminal's lines.
    const qint64 limit = earlier.size() + 100;

    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(TRANSFER_CHILD_PROGRAM, childArguments(rig, QString::number(limit)));
    ASSERT_TRUE(child.waitForFinished(60000));
    ASSERT_EQ(child.exitStatus(), QProcess::CrashExit);
    ASSERT_EQ(rig.movement().size(), limit) << "the kernel stopped the append at the limit";
    EXPECT_TRUE(journal(rig).contains("\nsaving\n"));
    EXPECT_EQ(terminal.confirmed(), 0u);

    rig.run();
    const QByteArray lines = entryLines(1, records);
    EXPECT_EQ(rig.movement(), earlier + lines);
    EXPECT_EQ(rig.backup(), lines);
    EXPECT_EQ(terminal.confirmed(), 40u);
}

}  // namespace
}  // namespace tavlo::test
