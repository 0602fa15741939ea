#include "platform/Error.h"
#include "tests/support/CaseName.h"
#include "tests/support/PrintQt.h"
#include "tests/transfer/FileSizeLimit.h"
#include "tests/transfer/TransferRig.h"
#include "transfer/TransferStatus.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace tavlo::test {
namespace {

const QString kReading = QString::fromUtf8(TransferStatus::kReading);
const QString kCompleted = QString::fromUtf8(TransferStatus::kCompleted);
const QString kInterrupted = QString::fromUtf8(TransferStatus::kInterrupted);

const QByteArray kEarlier = "001,000999,1,2024/03/01,07:00:00,1\r\n";

// Driver time-outs. A link that breaks is noticed at once, so a run against
// a healthy or a dropping terminal waits as long as a loaded machine may need:
// a slow reply must not turn it into a broken read. Only a stalled terminal
// needs the reply time-out to end its read; it gets the rig's usual one.
constexpr int kPatientMs = 60000;
constexpr int kStallNoticedMs = 3000;

struct BrokenReadCase {
    const char* name;
    int records;
    QStringList faults;
    int replyMs;
    friend void PrintTo(const BrokenReadCase& c, std::ostream* os) { *os << c.name; }
};

class BrokenRead : public testing::TestWithParam<BrokenReadCase> {};

// A read that ends because the link broke is no success: nothing of it is
// kept or confirmed, and all its records come with the next run, once.
TEST_P(BrokenRead, KeepsNothingAndGetsEverythingNextTime)
{
    const BrokenReadCase& c = GetParam();
    EmulatedTerminal terminal(someRecords(c.records), c.faults);
    TransferRig rig;
    rig.driver.setTimeouts(kPatientMs, c.replyMs);
    const qint32 id = rig.addTerminal(terminal);
    rig.app.write("Hareketler.txt", kEarlier);

    rig.run();
    // The bar does not suggest that part of the records was kept.
    EXPECT_EQ(rig.shows(id), (RowShows{kInterrupted, 0}));
    EXPECT_EQ(rig.movement(), kEarlier);
    EXPECT_EQ(rig.backup(), "");
    EXPECT_EQ(terminal.confirmed(), 0u);
    EXPECT_TRUE(rig.dialogs.errors.isEmpty());

    rig.driver.setTimeouts(kPatientMs, kPatientMs);
    terminal.restart();
    rig.setPort(id, terminal.port());
    rig.run();
    const QByteArray all = entryLines(1, someRecords(c.records));
    EXPECT_EQ(rig.shows(id), (RowShows{kCompleted, 100}));
    EXPECT_EQ(rig.movement(), kEarlier + all);
    EXPECT_EQ(rig.backup(), all);
    EXPECT_EQ(terminal.confirmed(), static_cast<std::uint32_t>(c.records));

    rig.run();
    EXPECT_EQ(rig.movement(), kEarlier + all);
    EXPECT_EQ(rig.backup(), all);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenRead,
    testing::Values(BrokenReadCase{"DroppedBeforeTheFirstRecord", 5, {"--drop-after", "0"}, kPatientMs},
                    BrokenReadCase{"DroppedMidway", 8, {"--drop-after", "3"}, kPatientMs},
                    BrokenReadCase{"DroppedAfterAWholeBatch", 1500, {"--drop-after", "1000"}, kPatientMs},
                    BrokenReadCase{"StalledMidway", 8, {"--stall-after", "3"}, kStallNoticedMs}),
    tavlo::test::CaseName{});

TEST(BrokenRead, DoesNotStopTheNextTerminal)
{
    EmulatedTerminal broken(someRecords(4, 1), {"--drop-after", "2"});
    EmulatedTerminal fine(someRecords(2, 50));
    TransferRig rig;
    const qint32 a = rig.addTerminal(broken, 1);
    const qint32 b = rig.addTerminal(fine, 2);
    rig.run();
    EXPECT_EQ(rig.shows(a).text, kInterrupted);
    EXPECT_EQ(rig.shows(b), (RowShows{kCompleted, 100}));
    EXPECT_EQ(rig.movement(), entryLines(2, someRecords(2, 50)));
    EXPECT_EQ(fine.confirmed(), 2u);

    broken.restart();
    rig.setPort(a, broken.port());
    rig.run();
    const QByteArray expected = entryLines(2, someRecords(2, 50)) + entryLines(1, someRecords(4, 1));
    EXPECT_EQ(rig.movement(), expected);
    EXPECT_EQ(rig.backup(), expected);
}

// Three terminals of 3, 4 and 2 records, and a disk that takes the first
// terminal's lines but not the second's.
struct FullDiskCase {
    const char* name;
    QByteArray movementBefore;
    QByteArray backupBefore;
    friend void PrintTo(const FullDiskCase& c, std::ostream* os) { *os << c.name; }
};

class DiskFullDuringALaterTerminal : public testing::TestWithParam<FullDiskCase> {};

TEST_P(DiskFullDuringALaterTerminal, KeepsTheTerminalsBeforeAndLosesNothing)
{
    const FullDiskCase& c = GetParam();
    EmulatedTerminal one(someRecords(3, 1));
    EmulatedTerminal two(someRecords(4, 10));
    EmulatedTerminal three(someRecords(2, 20));
    TransferRig rig;
    const qint32 a = rig.addTerminal(one, 1);
    rig.addTerminal(two, 2);
    const qint32 cc = rig.addTerminal(three, 3);
    rig.app.write("Hareketler.txt", c.movementBefore);
    rig.app.write(rig.backupName(), c.backupBefore);
    const QByteArray first = entryLines(1, someRecords(3, 1));
    const qsizetype larger = std::max(c.movementBefore.size(), c.backupBefore.size());

    {
        const FileSizeLimit full(static_cast<rlim_t>(larger + first.size() + 50));
        EXPECT_THROW(rig.run(), Error);
    }
    EXPECT_EQ(rig.movement(), c.movementBefore + first);
    EXPECT_EQ(rig.backup(), c.backupBefore + first);
    EXPECT_EQ(rig.shows(a), (RowShows{kCompleted, 100}));
    EXPECT_EQ(rig.shows(cc), (RowShows{"", 0}));
    EXPECT_EQ(one.confirmed(), 3u);
    EXPECT_EQ(two.confirmed(), 0u);
    EXPECT_EQ(three.confirmed(), 0u);

    rig.run();
    const QByteArray all = first + entryLines(2, someRecords(4, 10)) + entryLines(3, someRecords(2, 20));
    EXPECT_EQ(rig.movement(), c.movementBefore + all);
    EXPECT_EQ(rig.backup(), c.backupBefore + all);
    EXPECT_EQ(two.confirmed(), 4u);
    EXPECT_EQ(three.confirmed(), 2u);
}

QByteArray tenEarlierLines()
{
    QByteArray lines;
    for (int i = 0; i < 10; ++i)
        lines += kEarlier;
    return lines;
}

INSTANTIATE_TEST_SUITE_P(Cases, DiskFullDuringALaterTerminal,
                         testing::Values(FullDiskCase{"MovementFileFull", tenEarlierLines(), ""},
                                         FullDiskCase{"BackupFileFull", "", tenEarlierLines()}),
                         tavlo::test::CaseName{});

TEST(FailingFile, BackupFileThatCannotBeWrittenLeavesTheRecordsOnTheTerminal)
{
    EmulatedTerminal terminal(someRecords(2));
    TransferRig rig;
    rig.addTerminal(terminal);
    rig.app.write("Hareketler.txt", kEarlier);
    QDir().mkpath(rig.app.file("Backup"));
    ASSERT_TRUE(QFile::link(rig.app.file("nowhere/backup.txt"), rig.app.file(rig.backupName())));

    EXPECT_THROW(rig.run(), Error);
    EXPECT_EQ(rig.movement(), kEarlier);
    EXPECT_EQ(terminal.confirmed(), 0u);

    ASSERT_TRUE(QFile::remove(rig.app.file(rig.backupName())));
    rig.run();
    EXPECT_EQ(rig.movement(), kEarlier + entryLines(1, someRecords(2)));
    EXPECT_EQ(rig.backup(), entryLines(1, someRecords(2)));
}

TEST(FailingFile, MovementFileThatCannotBeWrittenLeavesTheRecordsOnTheTerminal)
{
    EmulatedTerminal terminal(someRecords(2));
    TransferRig rig;
    rig.addTerminal(terminal);
    rig.settings.movementFilePath = rig.app.file("gone/Hareketler.txt");

    EXPECT_THROW(rig.run(), Error);
    EXPECT_EQ(rig.backup(), "");
    EXPECT_EQ(terminal.confirmed(), 0u);

    QDir().mkpath(rig.app.file("gone"));
    rig.run();
    EXPECT_EQ(rig.app.read("gone/Hareketler.txt"), entryLines(1, someRecords(2)));
    EXPECT_EQ(rig.backup(), entryLines(1, someRecords(2)));
}

TEST(FailingFile, MovementFileThatCannotBeReadStopsTheRunBeforeAnyTerminal)
{
    EmulatedTerminal terminal(someRecords(2));
    TransferRig rig;
    const qint32 id = rig.addTerminal(terminal);
    rig.setShown(id, {"eski", 55});
    QDir().mkpath(rig.app.file("Hareketler.txt"));

    EXPECT_THROW(rig.run(), Error);
    EXPECT_EQ(rig.view.messageRounds(), 0);
    EXPECT_EQ(rig.shows(id), (RowShows{"eski", 0}));
    EXPECT_EQ(terminal.confirmed(), 0u);
}

struct KillCase {
    const char* name;
    std::vector<int> records;  // per terminal, CihazNo 1, 2, ...
    qint32 killAtTerminal;     // its CihazNo
    qint32 killAtProgress;
    int savedBefore;           // terminals whose lines were saved before the kill
    friend void PrintTo(const KillCase& c, std::ostream* os) { *os << c.name; }
};

class KilledRun : public testing::TestWithParam<KillCase> {};

QByteArray linesOfTerminal(int index, int count)
{
    return entryLines(index + 1, someRecords(count, 100 * index + 1));
}

// The run goes on in a process of its own that dies by SIGKILL at the
// moment chosen; this process then runs again.
TEST_P(KilledRun, LosesNoRecordAndDoublesNone)
{
    const KillCase& c = GetParam();
    std::vector<std::unique_ptr<EmulatedTerminal>> terminals;
    TransferRig rig;
    for (std::size_t i = 0; i < c.records.size(); ++i) {
        terminals.push_back(std::make_unique<EmulatedTerminal>(someRecords(c.records[i], 100 * int(i) + 1)));
        rig.addTerminal(*terminals.back(), static_cast<qint32>(i + 1));
    }
    rig.app.write("Hareketler.txt", kEarlier);
    rig.data.CihazTable.SaveTableFile(rig.app.file("Cihazlar.Dat"));

    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(TRANSFER_CHILD_PROGRAM,
                {rig.app.file("Cihazlar.Dat"), rig.app.withSeparator(), rig.app.file("Hareketler.txt"),
                 TransferRig::kToday.toString(Qt::ISODate), QString::number(c.killAtTerminal),
                 QString::number(c.killAtProgress)});
    ASSERT_TRUE(child.waitForFinished(60000));
    ASSERT_EQ(child.exitStatus(), QProcess::CrashExit);

    QByteArray saved;
    for (int i = 0; i < c.savedBefore; ++i)
        saved += linesOfTerminal(i, c.records[i]);
    EXPECT_EQ(rig.movement(), kEarlier + saved);
    EXPECT_EQ(rig.backup(), saved);
    for (std::size_t i = 0; i < terminals.size(); ++i)
        EXPECT_EQ(terminals[i]->confirmed(), int(i) < c.savedBefore ? std::uint32_t(c.records[i]) : 0u)
            << "terminal " << i + 1;

    rig.run();
    QByteArray all = saved;
    for (std::size_t i = c.savedBefore; i < c.records.size(); ++i)
        all += linesOfTerminal(int(i), c.records[i]);
    EXPECT_EQ(rig.movement(), kEarlier + all);
    EXPECT_EQ(rig.backup(), all);
    for (std::size_t i = 0; i < terminals.size(); ++i)
        EXPECT_EQ(terminals[i]->confirmed(), std::uint32_t(c.records[i])) << "terminal " << i + 1;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KilledRun,
    testing::Values(KillCase{"AfterTheTerminalWasRead", {4}, 1, 100, 0},
                    KillCase{"WhileTheFirstTerminalIsRead", {300, 2}, 1, 50, 0},
                    KillCase{"WhileTheSecondTerminalIsRead", {3, 300}, 2, 50, 1},
                    KillCase{"AfterTheSecondTerminalWasRead", {3, 5, 2}, 2, 100, 1}),
    tavlo::test::CaseName{});

}  // namespace
}  // namespace tavlo::test
