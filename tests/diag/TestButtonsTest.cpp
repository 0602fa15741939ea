#include "diag/TestButtons.h"
#include "tests/emulator/DriverSettings.h"
#include "tests/emulator/EmulatorProcess.h"
#include "tests/support/RefusingPort.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UserFolders.h"
#include "terminal/TSBXPC.h"
#include "emulator/TerminalState.h"

#include <gtest/gtest.h>

#include <memory>

namespace tavlo::test {

namespace {

const QByteArray kRecords = "user\tmode\tyear\tmonth\tday\thour\tminute\tsecond\n"
                            "101\t0\t2024\t3\t1\t8\t5\t30\n"
                            "2002\t1\t2025\t12\t31\t17\t45\t0\n";

const QStringList kShown{"[0]- PER=101   ---------- 2024/03/01 - 08:05 ",
                         "[1]- PER=2002   ---------- 2025/12/31 - 17:45 "};

// The fixed terminal of "Aktarım Dene" is an emulator with password 0 on a
// loopback port: the driver configuration sends the fixed address there,
// so nothing leaves this machine.
class TryTransfer : public testing::Test {
protected:
    TryTransfer()
    {
        user.registerControl();
        folder.write("records.tsv", kRecords);
        EmulatorProcess::runOnce({"--state", folder.file("state"), "--import-records",
                                  folder.file("records.tsv")});
        EmulatorProcess::Options options;
        options.stateFolder = folder.file("state");
        options.password = testbuttons::kFixedPassword;
        emulator = std::make_unique<EmulatorProcess>(options);
    }

    void routeTo(quint16 port)
    {
        driver.mapHost(QLatin1String(testbuttons::kFixedAddress), QStringLiteral("127.0.0.1:%1").arg(port));
    }

    quint32 confirmed() const
    {
        return emulator::TerminalState(folder.file("state")).settings().confirmed;
    }

    UserFolders user;
    DriverSettings driver{300, 2000};
    TempFolder folder;
    std::unique_ptr<EmulatorProcess> emulator;
};

TEST_F(TryTransfer, ShowsEveryRecordAndLeavesTheLinkOpen)
{
    routeTo(emulator->port());
    TSBXPC cc;
    cc.SetReadMark(true);
    const testbuttons::TryTransferResult result = testbuttons::tryTransfer(cc);
    EXPECT_TRUE(result.linked);
    EXPECT_EQ(result.lines, kShown);
    EXPECT_TRUE(cc.ReadMark()) << "the read mark is the transfer's";
    qint32 value = 0;
    EXPECT_TRUE(cc.GetStatusValue(1, 8, value)) << "the link is left open";
    EXPECT_TRUE(emulator::TerminalState(folder.file("state")).settings().keypadEnabled);
}

// What it showed is not confirmed: dropping its link, as a transfer does,
// or linking anew, gives the same records again.
TEST_F(TryTransfer, ConfirmsNothing)
{
    routeTo(emulator->port());
    TSBXPC cc;
    cc.SetReadMark(true);
    testbuttons::tryTransfer(cc);
    cc.DropLink();
    EXPECT_EQ(confirmed(), 0u);
    EXPECT_EQ(testbuttons::tryTransfer(cc).lines, kShown);
    cc.DropLink();
    EXPECT_EQ(confirmed(), 0u);
}

TEST_F(TryTransfer, AgainstNothingShowsNothing)
{
    RefusingPort refusing;
    routeTo(refusing.port());
    TSBXPC cc;
    const testbuttons::TryTransferResult result = testbuttons::tryTransfer(cc);
    EXPECT_FALSE(result.linked);
    EXPECT_TRUE(result.lines.isEmpty());
}

// "Get Enroll" reads user 3's enrolment 1 raw; "Set Enroll" writes back
// what it kept.
TEST(KeptIntegers, GetEnrollThenSetEnrollRoundTrip)
{
    UserFolders user;
    user.registerControl();
    DriverSettings driver{300, 2000};
    TempFolder folder;
    folder.write("users.tsv", "user\tenrolment\tprivilege\tenabled\tpassword\n3\t1\t2\t0\t77\n");
    EmulatorProcess::runOnce({"--state", folder.file("state"), "--import-users", folder.file("users.tsv")});
    EmulatorProcess::Options options;
    options.stateFolder = folder.file("state");
    EmulatorProcess emulator(options);
    TSBXPC cc;
    ASSERT_TRUE(cc.OpenTcpLink(1, "127.0.0.1", emulator.port(), 0));
    testbuttons::KeptIntegers kept;
    EXPECT_EQ(testbuttons::getEnroll(cc, kept), "aa====0");
    EXPECT_EQ(kept.first, 2);
    EXPECT_EQ(kept.third, 77);
    kept.first = 1;
    testbuttons::setEnroll(cc, kept);
    const emulator::TerminalState state(folder.file("state"));
    const auto* entry = state.enrolments().find({3, 1});
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->privilege, 1);
}

}  // namespace
}  // namespace tavlo::test
