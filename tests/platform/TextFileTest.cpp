#include "platform/Error.h"
#include "platform/TextFile.h"
#include "tests/support/CaseName.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <gtest/gtest.h>

namespace tavlo {
namespace {

struct SplitCase {
    const char* name;
    QByteArray input;
    QByteArrayList lines;
    friend void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }
};

class SplitLines : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitLines, EndsLinesAtEveryKindOfBreak)
{
    EXPECT_EQ(textfile::splitLines(GetParam().input), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitLines,
    testing::Values(
        SplitCase{"Empty", "", {}},
        SplitCase{"CrLf", "a\r\nb\r\n", {"a", "b"}},
        SplitCase{"NoFinalBreak", "a\r\nb", {"a", "b"}},
        SplitCase{"LoneLf", "a\nb\n", {"a", "b"}},
        SplitCase{"LoneCr", "a\rb", {"a", "b"}},
        SplitCase{"LfCrIsTwoBreaks", "a\n\rb", {"a", "", "b"}},
        SplitCase{"EmptyLines", "\r\n\r\n", {"", ""}},
        SplitCase{"OnlyBreakAtEnd", "abc\r", {"abc"}}),
    tavlo::test::CaseName{});

TEST(TextFile, WriteReplacesContentAndLeavesNoTemporaryFile)
{
    test::TempFolder folder;
    folder.write("f.txt", "old content that is longer");
    textfile::writeAtomically(folder.file("f.txt"), "new");
    EXPECT_EQ(folder.read("f.txt"), "new");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"f.txt"});
}

TEST(TextFile, FailedWriteLeavesTheOldFileWhole)
{
    test::TempFolder folder;
    folder.write("f.txt", "old");
    {
        test::ReadOnlyFolder readOnly(folder.path());
        EXPECT_THROW(textfile::writeAtomically(folder.file("f.txt"), "new"), Error);
    }
    EXPECT_EQ(folder.read("f.txt"), "old");
}

TEST(TextFile, ReadingAMissingFileNamesIt)
{
    test::TempFolder folder;
    try {
        textfile::readAll(folder.file("missing.txt"));
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().startsWith("Cannot open file \"" + folder.file("missing.txt") + "\"."))
            << e.message().toStdString();
    }
}

}  // namespace
}  // namespace tavlo
