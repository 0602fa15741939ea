#include "personnel/EnrolmentFile.h"
#include "platform/Error.h"
#include "store/DataModul.h"
#include "store/ProgramContext.h"
#include "tests/support/CaseName.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace tavlo::test {
namespace {

constexpr qint32 kMin = std::numeric_limits<qint32>::min();
constexpr qint32 kMax = std::numeric_limits<qint32>::max();

// An enrolment whose every element differs, with both signs and both ends
// of the range, so that a value out of place or out of order shows.
EnrolmentData pattern()
{
    EnrolmentData data;
    for (qint32 k = 0; k < kEnrolmentSize; ++k)
        data.append(k % 2 ? -(k * 6065179 + 1) : k * 3);
    data[100] = kMin;
    data[101] = kMax;
    return data;
}

EnrolmentData zeros() { return EnrolmentData(kEnrolmentSize, 0); }

// The lines of `values` as text, each ended by `end`, made without the code
// under test.
QByteArray linesOf(const std::vector<qint32>& values, const char* end)
{
    std::string text;
    for (const qint32 v : values)
        text += std::to_string(v) + end;
    return QByteArray::fromStdString(text);
}

QByteArray linesOf(const EnrolmentData& data, const char* end)
{
    return linesOf(std::vector<qint32>(data.begin(), data.end()), end);
}

class EnrolmentFileTest : public testing::Test {
protected:
    EnrolmentFileTest() : context(data, app.withSeparator()) { QDir().mkpath(app.file("Data")); }

    QStringList dataFolder() const
    {
        return QDir(app.file("Data")).entryList(QDir::Files | QDir::Hidden);
    }

    TempFolder app;
    TDataModul data;
    ProgramContext context;
};

struct NameCase {
    const char* name;
    qint32 personnelNo;
    qint32 enrolmentNo;
    const char* file;
    friend void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }
};

class EnrolmentFileName : public EnrolmentFileTest,
                          public testing::WithParamInterface<NameCase> {};

TEST_P(EnrolmentFileName, IsInTheDataFolderWithSignedNumbers)
{
    const NameCase& c = GetParam();
    const EnrolmentFile file(context, c.personnelNo, c.enrolmentNo);
    EXPECT_EQ(file.path(), app.withSeparator() + c.file);

    EXPECT_FALSE(file.exists());
    file.write(pattern());
    EXPECT_TRUE(file.exists());
    EXPECT_EQ(dataFolder(), QStringList{QString(c.file).mid(5)});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EnrolmentFileName,
    testing::Values(NameCase{"Plain", 12, 6, "Data/Parmak-12-6.Piz"},
                    NameCase{"NegativePersonnelNumber", -5, 0, "Data/Parmak--5-0.Piz"},
                    NameCase{"NegativeEnrolmentNumber", 0, -1, "Data/Parmak-0--1.Piz"},
                    NameCase{"EnrolmentNumberTen", 7, 10, "Data/Parmak-7-10.Piz"},
                    NameCase{"SmallestNumbers", kMin, kMin,
                             "Data/Parmak--2147483648--2147483648.Piz"}),
    CaseName{});

struct WriteCase {
    const char* name;
    EnrolmentData data;
    QByteArray bytes;
    friend void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }
};

class EnrolmentFileWrite : public EnrolmentFileTest,
                           public testing::WithParamInterface<WriteCase> {};

// The exact bytes, and the same values back when the file is read into an
// array that held another enrolment.
TEST_P(EnrolmentFileWrite, WritesEveryLineWithCrLfAndReadsItBack)
{
    const WriteCase& c = GetParam();
    const EnrolmentFile file(context, 1, 0);
    file.write(c.data);
    EXPECT_EQ(app.read("Data/Parmak-1-0.Piz"), c.bytes);
    EXPECT_EQ(dataFolder(), QStringList{"Parmak-1-0.Piz"}) << "no temporary file is left";

    EnrolmentData back(kEnrolmentSize, 77);
    file.read(back);
    EnrolmentData expected = c.data;
    expected.resize(kEnrolmentSize);
    EXPECT_EQ(back, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EnrolmentFileWrite,
    testing::Values(
        WriteCase{"Zeros", zeros(), QByteArray("0\r\n").repeated(354)},
        WriteCase{"SmallestValue", EnrolmentData(kEnrolmentSize, kMin),
                  linesOf(std::vector<qint32>(kEnrolmentSize, kMin), "\r\n")},
        WriteCase{"EveryValueInOrder", pattern(), linesOf(pattern(), "\r\n")},
        WriteCase{"ShortArrayEndsInZeros", EnrolmentData{-3, 4},
                  "-3\r\n4\r\n" + linesOf(std::vector<qint32>(352, 0), "\r\n")}),
    CaseName{});

TEST_F(EnrolmentFileTest, TheFileSizesRunFromOneToElevenCharactersALine)
{
    const EnrolmentFile file(context, 1, 0);
    file.write(zeros());
    EXPECT_EQ(QFile(file.path()).size(), 1062);
    file.write(EnrolmentData(kEnrolmentSize, kMin));
    EXPECT_EQ(QFile(file.path()).size(), 4602);
}

struct ReadCase {
    const char* name;
    QByteArray content;
    EnrolmentData expected;
    friend void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
};

EnrolmentData startingWith(std::vector<qint32> values)
{
    EnrolmentData data = zeros();
    for (size_t k = 0; k < values.size(); ++k)
        data[static_cast<qsizetype>(k)] = values[k];
    return data;
}

std::vector<qint32> longerThanAnEnrolment()
{
    std::vector<qint32> values;
    for (qint32 k = 0; k < 360; ++k)
        values.push_back(k + 1);
    return values;
}

EnrolmentData firstOf(const std::vector<qint32>& values)
{
    return EnrolmentData(values.begin(), values.begin() + kEnrolmentSize);
}

class EnrolmentFileRead : public EnrolmentFileTest,
                          public testing::WithParamInterface<ReadCase> {};

// Every element is overwritten, so nothing of the enrolment read before
// into the same array is left.
TEST_P(EnrolmentFileRead, GivesEveryElementByTheReadingRule)
{
    const ReadCase& c = GetParam();
    app.write("Data/Parmak-3-2.Piz", c.content);
    const EnrolmentFile file(context, 3, 2);
    ASSERT_TRUE(file.exists());

    EnrolmentData into(kEnrolmentSize, 99);
    file.read(into);
    EXPECT_EQ(into, c.expected);

    EnrolmentData shorter{5, 5};
    file.read(shorter);
    EXPECT_EQ(shorter, c.expected) << "an array of another size gets 354 elements";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EnrolmentFileRead,
    testing::Values(
        ReadCase{"CrLf", linesOf(pattern(), "\r\n"), pattern()},
        ReadCase{"LfOnly", linesOf(pattern(), "\n"), pattern()},
        ReadCase{"LoneCr", linesOf(pattern(), "\r"), pattern()},
        ReadCase{"MixedLineEnds", "1\n2\r3\r\n4", startingWith({1, 2, 3, 4})},
        ReadCase{"EmptyFile", "", zeros()},
        ReadCase{"FewerLines", "7\r\n-8\r\n", startingWith({7, -8})},
        ReadCase{"MoreLines", linesOf(longerThanAnEnrolment(), "\r\n"),
                 firstOf(longerThanAnEnrolment())},
        ReadCase{"EmptyLinesGiveZero", "\r\n\r\n5\r\n", startingWith({0, 0, 5})},
        ReadCase{"NonNumericLinesGiveZero", "abc\r\n12x\r\n0x10\r\n1.5\r\n-\r\n6\r\n",
                 startingWith({0, 0, 0, 0, 0, 6})},
        ReadCase{"OutOfRangeGivesZero", "2147483648\r\n-2147483649\r\n2147483647\r\n-2147483648\r\n",
                 startingWith({0, 0, kMax, kMin})},
        ReadCase{"BlanksAroundAndPlusSignAreRead", " 5\r\n6 \r\n+7\r\n", startingWith({5, 6, 7})}),
    CaseName{});

TEST_F(EnrolmentFileTest, ARewriteReplacesTheWholeFile)
{
    const EnrolmentFile file(context, -5, 0);
    file.write(EnrolmentData(kEnrolmentSize, kMin));
    const EnrolmentData second = startingWith({42});
    file.write(second);
    EXPECT_EQ(app.read("Data/Parmak--5-0.Piz"), linesOf(second, "\r\n"));
    EXPECT_EQ(dataFolder(), QStringList{"Parmak--5-0.Piz"});
}

TEST_F(EnrolmentFileTest, AFolderRemovedSinceTheStartIsMadeAgain)
{
    QDir(app.file("Data")).removeRecursively();
    EnrolmentFile(context, 1, 1).write(pattern());
    EXPECT_EQ(app.read("Data/Parmak-1-1.Piz"), linesOf(pattern(), "\r\n"));
}

// Neither a new file beside it nor a write in place is possible: the error
// names the file and the old enrolment stays whole.
TEST_F(EnrolmentFileTest, AFileThatCannotBeWrittenRaisesAndStaysWhole)
{
    const EnrolmentFile file(context, 4, 1);
    file.write(pattern());
    const auto writable = QFile::permissions(file.path());
    QFile::setPermissions(file.path(), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    {
        ReadOnlyFolder readOnly(app.file("Data"));
        try {
            file.write(zeros());
            ADD_FAILURE() << "the failed write is reported";
        } catch (const Error& e) {
            EXPECT_TRUE(e.message().contains(file.path())) << e.message().toStdString();
        }
    }
    QFile::setPermissions(file.path(), writable);
    EXPECT_EQ(app.read("Data/Parmak-4-1.Piz"), linesOf(pattern(), "\r\n"));
    EXPECT_EQ(dataFolder(), QStringList{"Parmak-4-1.Piz"});
}

TEST_F(EnrolmentFileTest, AFileThatCannotBeReadRaisesAndNamesIt)
{
    const EnrolmentFile file(context, 4, 2);
    EnrolmentData into = pattern();
    try {
        file.read(into);
        ADD_FAILURE() << "the failed read is reported";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains(file.path())) << e.message().toStdString();
    }
    EXPECT_EQ(into, pattern()) << "the array is left as it was";
}

}  // namespace
}  // namespace tavlo::test
