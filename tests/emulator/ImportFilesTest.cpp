#include "emulator/RecordsFile.h"
#include "emulator/UsersFile.h"
#include "platform/Error.h"
#include "tests/support/CaseName.h"

#include <gtest/gtest.h>

namespace tavlo::emulator {
namespace {

using protocol::LogRecord;

TEST(RecordsFile, TakesColumnsInAnyOrderAndAnyIntegers)
{
    const QByteArray text = "second\tminute\thour\tday\tmonth\tyear\tmode\tuser\r\n"
                            "60\t60\t24\t32\t13\t1950\t-1\t7\r\n"
                            "\r\n"
                            "0\t30\t8\t2\t1\t2024\t1\t2147483647\r\n";
    const auto records = parseRecords(text, "r.tsv");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0], (LogRecord{7, 1, -1, {1950, 13, 32, 24, 60, 60}}));
    EXPECT_EQ(records[1], (LogRecord{2147483647, 1, 1, {2024, 1, 2, 8, 30, 0}}));
}

struct BadFileCase {
    const char* name;
    QByteArray text;
    const char* message;
    friend void PrintTo(const BadFileCase& c, std::ostream* os) { *os << c.name; }
};

class BadRecordsFile : public testing::TestWithParam<BadFileCase> {};

TEST_P(BadRecordsFile, IsRefusedWithTheLineNamed)
{
    try {
        parseRecords(GetParam().text, "r.tsv");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), QString::fromUtf8(GetParam().message));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadRecordsFile,
    testing::Values(
        BadFileCase{"MissingColumn", "user\tmode\tyear\tmonth\tday\thour\tminute\n",
                    "r.tsv: the header line has no column \"second\"."},
        BadFileCase{"NotANumber",
                    "user\tmode\tyear\tmonth\tday\thour\tminute\tsecond\n1\t0\t2024\t1\t1\t8\t0\tx\n",
                    "r.tsv, line 2: \"x\" in column \"second\" is not a 32-bit integer."},
        BadFileCase{"TooLarge",
                    "user\tmode\tyear\tmonth\tday\thour\tminute\tsecond\n\n2147483648\t0\t2024\t1\t1\t8\t0\t0\n",
                    "r.tsv, line 3: \"2147483648\" in column \"user\" is not a 32-bit integer."},
        BadFileCase{"MissingCell", "user\tmode\tyear\tmonth\tday\thour\tminute\tsecond\n1\t0\t2024\n",
                    "r.tsv, line 2: \"\" in column \"month\" is not a 32-bit integer."}),
    tavlo::test::CaseName{});

TEST(UsersFile, ReadsEnrolmentsWithTheirData)
{
    const QByteArray text = "user\tenrolment\tprivilege\tenabled\tpassword\tdata\n"
                            "5\t0\t3\t1\t1234\t-2147483648,0,7\n"
                            "5\t11\t0\t0\t0\t\n";
    const auto rows = parseUsers(text, "u.tsv");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].key, std::make_pair(5, 0));
    EXPECT_EQ(rows[0].entry.privilege, 3);
    EXPECT_EQ(rows[0].entry.password, 1234);
    EXPECT_TRUE(rows[0].hasData);
    EXPECT_EQ(rows[0].entry.data[0], INT32_MIN);
    EXPECT_EQ(rows[0].entry.data[2], 7);
    EXPECT_EQ(rows[0].entry.data[353], 0);
    EXPECT_EQ(rows[1].key, std::make_pair(5, 11));
    EXPECT_EQ(rows[1].entry.enabled, 0);
    EXPECT_FALSE(rows[1].hasData);
    // What is written reads back the same.
    const auto again = parseUsers(formatUsers(rows, true), "again");
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(again[0].entry.data, rows[0].entry.data);
    EXPECT_EQ(again[1].entry.enabled, 0);
}

class BadUsersFile : public testing::TestWithParam<BadFileCase> {};

TEST_P(BadUsersFile, IsRefusedWithTheLineNamed)
{
    try {
        parseUsers(GetParam().text, "u.tsv");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), QString::fromUtf8(GetParam().message));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadUsersFile,
    testing::Values(
        BadFileCase{"MissingColumn", "user\tenrolment\tprivilege\n",
                    "u.tsv: the header line has no column \"enabled\"."},
        BadFileCase{"PrivilegeOutOfRange", "user\tenrolment\tprivilege\tenabled\n1\t0\t4\t1\n",
                    "u.tsv, line 2: the privilege must be 0 to 3."},
        BadFileCase{"EnrolmentOutOfRange", "user\tenrolment\tprivilege\tenabled\n1\t12\t0\t1\n",
                    "u.tsv, line 2: the enrolment number must be 0 to 11."},
        BadFileCase{"UserZero", "user\tenrolment\tprivilege\tenabled\n0\t1\t0\t1\n",
                    "u.tsv, line 2: the user number must be 1 or more."},
        BadFileCase{"TooMuchData", "user\tenrolment\tprivilege\tenabled\tdata\n1\t1\t0\t1\t"
                                       + QByteArray("1,").repeated(354) + "1\n",
                    "u.tsv, line 2: an enrolment holds at most 354 integers."},
        BadFileCase{"BadDataWord", "user\tenrolment\tprivilege\tenabled\tdata\n1\t1\t0\t1\t1,x\n",
                    "u.tsv, line 2: enrolment integer 2 is not a 32-bit integer."}),
    tavlo::test::CaseName{});

TEST(GeneratedRecords, AreValidTimesThatContinueWhereTheyLeftOff)
{
    const auto all = generateRecords(0, 3000);
    const auto tail = generateRecords(2000, 1000);
    ASSERT_EQ(all.size(), 3000u);
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), all.begin() + 2000));
    for (const LogRecord& r : all) {
        ASSERT_GE(r.time.month, 1);
        ASSERT_LE(r.time.month, 12);
        ASSERT_LE(r.time.day, 31);
        ASSERT_LT(r.time.hour, 24);
        ASSERT_LT(r.time.minute, 60);
        ASSERT_LT(r.time.second, 60);
    }
    EXPECT_EQ(all[0].time, (protocol::ClockTime{2024, 1, 1, 8, 0, 0}));
}

}  // namespace
}  // namespace tavlo::emulator
