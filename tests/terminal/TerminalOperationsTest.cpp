#include "tests/terminal/LiveTerminal.h"

#include <QDateTime>
#include <gtest/gtest.h>

#include <array>

namespace tavlo::test {
namespace {

const QByteArray kRecords = "user\tmode\tyear\tmonth\tday\thour\tminute\tsecond\tverify\n"
                            "101\t0\t2024\t3\t1\t8\t15\t30\t1\n"
                            "102\t1\t1950\t13\t32\t24\t60\t60\t3\n"
                            "-5\t7\t2025\t12\t31\t23\t59\t59\t2\n"
                            "104\t0\t2026\t1\t1\t0\t0\t0\t1\n"
                            "105\t1\t2026\t1\t2\t17\t45\t1\t1\n";

const QByteArray kUsers = "user\tenrolment\tprivilege\tenabled\tpassword\tdata\n"
                          "7\t0\t3\t1\t1111\t-2147483648,1,2,3\n"
                          "7\t1\t3\t1\t1111\t5,6\n"
                          "8\t10\t1\t0\t2222\t\n"
                          "9\t11\t0\t1\t0\t2147483647\n";

using Record = std::array<qint32, 10>;

class TerminalOperations : public testing::TestWithParam<Transport> {
protected:
    bool next(Record& r, qint32 machine = LiveTerminal::kMachine)
    {
        return cc.NextLogRecord(machine, r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7], r[8], r[9]);
    }
    std::vector<Record> readAll()
    {
        std::vector<Record> records;
        EXPECT_TRUE(cc.BeginLogRead(1));
        Record r{};
        while (next(r))
            records.push_back(r);
        return records;
    }
    std::vector<std::array<qint32, 5>> users()
    {
        std::vector<std::array<qint32, 5>> entries;
        EXPECT_TRUE(cc.BeginUserRead(1));
        std::array<qint32, 5> e{0, 1, 0, 0, 0};
        while (cc.NextUserRecord(1, e[0], e[1], e[2], e[3], e[4]))
            entries.push_back(e);
        return entries;
    }
    bool open() { return terminal.open(cc, GetParam()); }

    LiveTerminal terminal{kRecords, kUsers};
    TSBXPC cc;
};

TEST_P(TerminalOperations, ALogReadDeliversTheTenValuesOfEveryRecord)
{
    ASSERT_TRUE(open());
    qint32 all = -1, fresh = -1;
    EXPECT_TRUE(cc.GetStatusValue(1, 8, all));
    EXPECT_TRUE(cc.GetStatusValue(1, 6, fresh));
    EXPECT_EQ(all, 5);
    EXPECT_EQ(fresh, 5);
    const auto records = readAll();
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[0], (Record{1, 101, 1, 0, 2024, 3, 1, 8, 15, 30}));
    EXPECT_EQ(records[1], (Record{1, 102, 3, 1, 1950, 13, 32, 24, 60, 60}));
    EXPECT_EQ(records[2], (Record{1, -5, 2, 7, 2025, 12, 31, 23, 59, 59}));
    Record r{};
    EXPECT_FALSE(next(r)) << "the read stays ended";
}

TEST_P(TerminalOperations, ReadMarkDeliversOnlyWhatNoEarlierReadConfirmed)
{
    ASSERT_TRUE(open());
    cc.SetReadMark(true);
    ASSERT_TRUE(cc.BeginLogRead(1));
    Record r{};
    ASSERT_TRUE(next(r));
    ASSERT_TRUE(next(r));
    EXPECT_EQ(cc.LastLogReadStart(), 0);
    EXPECT_EQ(cc.LastLogReadCount(), 2);
    EXPECT_TRUE(cc.CloseLink()) << "confirms the two taken, acknowledged";
    EXPECT_FALSE(cc.CloseLink()) << "no link is open any more";

    ASSERT_TRUE(open());
    qint32 fresh = -1;
    EXPECT_TRUE(cc.GetStatusValue(1, 6, fresh));
    EXPECT_EQ(fresh, 3);
    auto rest = readAll();
    ASSERT_EQ(rest.size(), 3u);
    EXPECT_EQ(rest[0][1], -5);
    EXPECT_EQ(cc.LastLogReadStart(), 2) << "the read begins after the confirmed records";
    cc.DropLink();  // confirms nothing

    ASSERT_TRUE(open());
    rest = readAll();
    EXPECT_EQ(rest.size(), 3u) << "dropped records come again";
    cc.CloseLink();

    ASSERT_TRUE(open());
    EXPECT_TRUE(readAll().empty());
    cc.SetReadMark(false);
    EXPECT_EQ(readAll().size(), 5u) << "without the mark every stored record";
    cc.CloseLink();
}

TEST_P(TerminalOperations, TheUserListGivesOneEntryPerEnrolment)
{
    ASSERT_TRUE(open());
    const auto entries = users();
    using E = std::array<qint32, 5>;
    EXPECT_EQ(entries, (std::vector<E>{{7, 1, 0, 3, 1}, {7, 1, 1, 3, 1}, {8, 1, 10, 1, 0}, {9, 1, 11, 0, 1}}));
    qint32 count = 0;
    EXPECT_TRUE(cc.GetStatusValue(1, 1, count));
    EXPECT_EQ(count, 3);
    EXPECT_TRUE(cc.GetStatusValue(1, 2, count));
    EXPECT_EQ(count, 4);
}

TEST_P(TerminalOperations, EnrolmentsTravelBothWaysWhole)
{
    ASSERT_TRUE(open());
    EnrolmentData data;
    qint32 privilege = -1, password = -1;
    ASSERT_TRUE(cc.ReadEnrolment(1, 7, 1, 0, privilege, data, password));
    ASSERT_EQ(data.size(), kEnrolmentSize);
    EXPECT_EQ(data[0], INT32_MIN);
    EXPECT_EQ(data[3], 3);
    EXPECT_EQ(data[353], 0);
    EXPECT_EQ(privilege, 3);
    EXPECT_EQ(password, 1111);

    EnrolmentData written(kEnrolmentSize);
    for (qsizetype i = 0; i < written.size(); ++i)
        written[i] = static_cast<qint32>(i * 2654435761u);
    ASSERT_TRUE(cc.WriteEnrolment(1, 20, 1, 4, 2, written, 777));
    EnrolmentData back;
    ASSERT_TRUE(cc.ReadEnrolment(1, 20, 1, 4, privilege, back, password));
    EXPECT_EQ(back, written);
    EXPECT_EQ(privilege, 2);
    EXPECT_EQ(password, 777);

    // A failed read leaves the array as it was.
    EXPECT_FALSE(cc.ReadEnrolment(1, 20, 1, 5, privilege, back, password));
    EXPECT_EQ(back, written);
    EXPECT_FALSE(cc.ReadEnrolment(1, 20, 2, 4, privilege, back, password)) << "another terminal's number";
    EXPECT_FALSE(cc.WriteEnrolment(1, 20, 1, 4, 9, written, 0)) << "no such privilege";
}

TEST_P(TerminalOperations, PrivilegesRawAttributesAndDeletion)
{
    ASSERT_TRUE(open());
    EXPECT_TRUE(cc.SetUserPrivilege(1, 7, 1, 1, 0));
    EXPECT_FALSE(cc.SetUserPrivilege(1, 7, 1, 5, 0)) << "no such enrolment";

    qint32 privilege = -1, enabled = -1, password = -1;
    ASSERT_TRUE(cc.ReadEnrolmentRaw(1, 7, 1, privilege, enabled, password));
    EXPECT_EQ(privilege, 0);
    EXPECT_EQ(enabled, 1);
    EXPECT_EQ(password, 1111);
    enabled = 0;
    EXPECT_TRUE(cc.WriteEnrolmentRaw(1, 7, 1, 2, enabled, 31));
    ASSERT_TRUE(cc.ReadEnrolmentRaw(1, 7, 1, privilege, enabled, password));
    EXPECT_EQ(privilege, 2);
    EXPECT_EQ(enabled, 0);
    EXPECT_EQ(password, 31);
    EnrolmentData data;
    ASSERT_TRUE(cc.ReadEnrolment(1, 7, 1, 1, privilege, data, password));
    EXPECT_EQ(data[0], 5) << "the raw write keeps the data";

    EXPECT_TRUE(cc.DeleteEnrolment(1, 7, 1, 0));
    EXPECT_FALSE(cc.DeleteEnrolment(1, 7, 1, 0));
    EXPECT_TRUE(cc.DeleteEnrolment(1, 9, 1, 12)) << "12 removes every enrolment of the user";
    using E = std::array<qint32, 5>;
    EXPECT_EQ(users(), (std::vector<E>{{7, 1, 1, 2, 0}, {8, 1, 10, 1, 0}}));
}

TEST_P(TerminalOperations, TheClockIsSetToThePcsTime)
{
    ASSERT_TRUE(open());
    qint32 y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, wd = 0;
    EXPECT_TRUE(cc.SetDeviceEnabled(1, 0));
    EXPECT_FALSE(terminal.state().settings().keypadEnabled) << "the keypad is locked";
    EXPECT_TRUE(cc.SetDeviceClock(1));
    ASSERT_TRUE(cc.GetDeviceClock(1, y, mo, d, h, mi, s, wd));
    EXPECT_TRUE(cc.SetDeviceEnabled(1, 1));
    EXPECT_TRUE(terminal.state().settings().keypadEnabled);
    const QDateTime shown(QDate(y, mo, d), QTime(h, mi, s));
    ASSERT_TRUE(shown.isValid());
    EXPECT_LT(std::abs(shown.secsTo(QDateTime::currentDateTime())), 120);
    EXPECT_EQ(wd, shown.date().dayOfWeek()) << "1 Monday .. 7 Sunday";
}

TEST_P(TerminalOperations, ClearLogsEmptiesTheLog)
{
    ASSERT_TRUE(open());
    EXPECT_TRUE(cc.ClearLogs(1));
    qint32 all = -1;
    EXPECT_TRUE(cc.GetStatusValue(1, 8, all));
    EXPECT_EQ(all, 0);
    EXPECT_TRUE(readAll().empty());
    EXPECT_EQ(terminal.state().records().count(), 0u);
}

TEST_P(TerminalOperations, AnotherMachineNumberIsNotTheLinkedTerminal)
{
    ASSERT_TRUE(open());
    qint32 v = -1;
    EXPECT_FALSE(cc.GetStatusValue(2, 8, v));
    EXPECT_EQ(v, -1);
    EXPECT_FALSE(cc.BeginLogRead(2));
    EXPECT_FALSE(cc.ClearLogs(2));
    EXPECT_EQ(terminal.state().records().count(), 5u);
    EXPECT_FALSE(cc.GetStatusValue(1, 5, v)) << "no such status value";
}

INSTANTIATE_TEST_SUITE_P(Links, TerminalOperations, testing::Values(Transport::Tcp, Transport::Serial),
                         [](const auto& info) {
                             return std::string(info.param == Transport::Tcp ? "Tcp" : "Serial");
                         });

}  // namespace
}  // namespace tavlo::test
