#include "platform/Error.h"
#include "platform/TextFile.h"
#include "tests/support/CaseName.h"
#include "tests/support/PrintQt.h"
#include "tests/support/TempFolder.h"
#include "tests/transfer/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <cerrno>
#include <optional>
#include <sys/stat.h>

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

struct DecodeCase {
    const char* name;
    QByteArray input;
    QStringList lines;
    friend void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }
};

class DecodeLines : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeLines, ReadCodePage1254OrUtf8AfterItsMark)
{
    EXPECT_EQ(textfile::decodeLines(GetParam().input), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeLines,
    testing::Values(
        DecodeCase{"CodePage1254", "\xDEube\r\n\xC7\xFDk\xFD\xFE",
                   {QStringLiteral("Şube"), QStringLiteral("Çıkış")}},
        DecodeCase{"Utf8WithMark", "\xEF\xBB\xBF\xC5\x9E" "ube\r\n\xC3\x87\xC4\xB1k\xC4\xB1\xC5\x9F\r\n",
                   {QStringLiteral("Şube"), QStringLiteral("Çıkış")}},
        DecodeCase{"MarkAlone", "\xEF\xBB\xBF", {}},
        DecodeCase{"MarkBeforeABreak", "\xEF\xBB\xBF\nx", {"", "x"}},
        DecodeCase{"MarkOnlyAtTheStartCounts", "a\r\n\xEF\xBB\xBF", {"a", QStringLiteral("ï»¿")}},
        DecodeCase{"Utf8WithoutMarkIsCodePage1254", "\xC5\x9E", {QStringLiteral("Å\u009E")}}),
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

ino_t inodeOf(const QString& path)
{
    struct stat s{};
    if (::stat(QFile::encodeName(path).constData(), &s) != 0)
        return 0;
    return s.st_ino;
}

// Writable by everyone, so that a test that gives up root still writes it.
void makeWritableByAll(const QString& path)
{
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                    | QFileDevice::ReadGroup | QFileDevice::WriteGroup
                                    | QFileDevice::ReadOther | QFileDevice::WriteOther);
}

TEST(TextFile, InAFolderThatRefusesNewFilesTheFileIsWrittenInPlace)
{
    test::TempFolder folder;
    folder.write("f.txt", "old content that is longer");
    makeWritableByAll(folder.file("f.txt"));
    const ino_t before = inodeOf(folder.file("f.txt"));
    {
        test::ReadOnlyFolder readOnly(folder.path());
        textfile::writeAtomically(folder.file("f.txt"), "new");
    }
    EXPECT_EQ(folder.read("f.txt"), "new");
    EXPECT_EQ(inodeOf(folder.file("f.txt")), before);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"f.txt"});

    {
        test::ReadOnlyFolder readOnly(folder.path());
        textfile::writeAtomically(folder.file("f.txt"), "a longer content than before");
    }
    EXPECT_EQ(folder.read("f.txt"), "a longer content than before");
}

struct FullDiskCase {
    const char* name;
    bool folderRefusesNewFiles;
    friend void PrintTo(const FullDiskCase& c, std::ostream* os) { *os << c.name; }
};

class WriteOnAFullDisk : public testing::TestWithParam<FullDiskCase> {};

// Whether through a new file beside it or in place, a write that finds no
// room leaves the old file whole and gives the system's reason.
TEST_P(WriteOnAFullDisk, KeepsTheOldFileAndSaysWhy)
{
    test::TempFolder folder;
    const QByteArray old = QByteArray(100, 'o');
    folder.write("f.txt", old);
    makeWritableByAll(folder.file("f.txt"));
    const QByteArray content = QByteArray(70000, 'n');
    {
        std::optional<test::ReadOnlyFolder> readOnly;
        if (GetParam().folderRefusesNewFiles)
            readOnly.emplace(folder.path());
        const test::FileSizeLimit full(4096);
        try {
            textfile::writeAtomically(folder.file("f.txt"), content);
            ADD_FAILURE() << "no error raised";
        } catch (const Error& e) {
            const QString expected = "Cannot create file \"" + folder.file("f.txt") + "\". "
                                   + qt_error_string(EFBIG);
            EXPECT_EQ(e.message().toStdString(), expected.toStdString());
        }
    }
    EXPECT_EQ(folder.read("f.txt"), old);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"f.txt"});
}

INSTANTIATE_TEST_SUITE_P(Cases, WriteOnAFullDisk,
                         testing::Values(FullDiskCase{"NewFileBeside", false},
                                         FullDiskCase{"InPlace", true}),
                         tavlo::test::CaseName{});

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
