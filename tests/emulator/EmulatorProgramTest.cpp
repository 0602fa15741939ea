#include "emulator/TerminalState.h"
#include "tests/emulator/EmulatorProcess.h"
#include "tests/support/CaseName.h"
#include "tests/support/TempFolder.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace tavlo::test {
namespace {

TEST(EmulatorProgram, ImportsIntoTheStateFolderWithoutServing)
{
    TempFolder folder;
    folder.write("r.tsv", "user\tmode\tyear\tmonth\tday\thour\tminute\tsecond\n3\t1\t1950\t13\t1\t24\t0\t60\n");
    folder.write("u.tsv", "user\tenrolment\tprivilege\tenabled\tdata\n3\t0\t1\t1\t9,8,7\n");
    const QString out = EmulatorProcess::runOnce(
        {"--state", folder.file("state"), "--machine", "12", "--password", "345", "--import-records",
         folder.file("r.tsv"), "--import-users", folder.file("u.tsv"), "--generate", "4"});
    EXPECT_TRUE(out.contains("imported 1 records")) << out.toStdString();

    emulator::TerminalState state(folder.file("state"));
    EXPECT_EQ(state.records().count(), 5u);
    EXPECT_EQ(state.records().read(0, 1).front().time.month, 13);
    EXPECT_EQ(state.settings().machine, 12);
    EXPECT_EQ(state.settings().password, 345);
    ASSERT_NE(state.enrolments().find({3, 0}), nullptr);
    EXPECT_EQ(state.enrolments().find({3, 0})->data[2], 7);
}

struct UsageCase {
    const char* name;
    QStringList arguments;
    int exitCode;
    const char* says;
    friend void PrintTo(const UsageCase& c, std::ostream* os) { *os << c.name; }
};

class EmulatorUsage : public testing::TestWithParam<UsageCase> {};

TEST_P(EmulatorUsage, ExitsWithItsCodeAndSaysWhy)
{
    TempFolder folder;
    QStringList arguments;
    for (const QString& a : GetParam().arguments)
        arguments << QString(a).replace("@", folder.path());
    QProcess process;
    process.start(EmulatorProcess::program(), arguments);
    ASSERT_TRUE(process.waitForFinished(20000));
    const QString said = QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError());
    EXPECT_EQ(process.exitCode(), GetParam().exitCode) << said.toStdString();
    EXPECT_TRUE(said.contains(QString::fromUtf8(GetParam().says))) << said.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EmulatorUsage,
    testing::Values(
        UsageCase{"Help", {"--help"}, 0, "--drop-after <K>"},
        UsageCase{"NoState", {"--generate", "3"}, 2, "--state DIR is required."},
        UsageCase{"BadNumber", {"--state", "@/s", "--machine", "one"}, 2, "--machine wants a whole number"},
        UsageCase{"BadListen", {"--state", "@/s", "--listen", "nowhere"}, 2, "--listen wants HOST:PORT"},
        UsageCase{"MissingImport", {"--state", "@/s", "--import-records", "@/none.tsv"}, 1,
                  "Cannot open file"}),
    tavlo::test::CaseName{});

}  // namespace
}  // namespace tavlo::test
