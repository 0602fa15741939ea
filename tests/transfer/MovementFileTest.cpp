#include "platform/Error.h"
#include "platform/TextFile.h"
#include "tests/support/CaseName.h"
#include "tests/support/TempFolder.h"
#include "tests/transfer/FileSizeLimit.h"
#include "transfer/MovementFile.h"
#include "transfer/MovementLines.h"
#include "transfer/TransferFiles.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <cerrno>
#include <optional>
#include <sys/stat.h>

namespace tavlo {
namespace {

using test::FileSizeLimit;
using test::TempFolder;

MovementLines linesOf(std::initializer_list<const char*> texts)
{
    MovementLines lines;
    for (const char* text : texts)
        lines.add(text);
    return lines;
}

ino_t inodeOf(const QString& path)
{
    struct stat s{};
    if (::stat(QFile::encodeName(path).constData(), &s) != 0)
        return 0;
    return s.st_ino;
}

// What a file holds after a load and after each of two runs that add lines.
struct FileCase {
    const char* name;
    std::optional<QByteArray> before;  // nothing: no file yet
    QByteArray loaded;
    QByteArray afterFirstRun;   // after the line c
    QByteArray afterSecondRun;  // after the lines d and e, loaded afresh
    friend void PrintTo(const FileCase& c, std::ostream* os) { *os << c.name; }
};

class MovementFileBytes : public testing::TestWithParam<FileCase> {};

TEST_P(MovementFileBytes, AreThoseOfTheLoadAndTheAppends)
{
    TempFolder folder;
    const QString path = folder.file("Hareketler.txt");
    if (GetParam().before)
        folder.write("Hareketler.txt", *GetParam().before);

    MovementFile first(path);
    first.load();
    EXPECT_EQ(folder.read("Hareketler.txt"), GetParam().loaded);
    EXPECT_EQ(first.size(), GetParam().loaded.size());
    first.append(linesOf({"c"}));
    EXPECT_EQ(folder.read("Hareketler.txt"), GetParam().afterFirstRun);
    EXPECT_EQ(first.size(), GetParam().afterFirstRun.size());

    MovementFile second(path);
    second.load();
    second.append(linesOf({"d", "e"}));
    EXPECT_EQ(folder.read("Hareketler.txt"), GetParam().afterSecondRun);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Hareketler.txt"});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MovementFileBytes,
    testing::Values(
        FileCase{"NoFileYet", std::nullopt, "", "c\r\n", "c\r\nd\r\ne\r\n"},
        FileCase{"EmptyFile", QByteArray(""), "", "c\r\n", "c\r\nd\r\ne\r\n"},
        FileCase{"CrLf", QByteArray("a\r\nb\r\n"), "a\r\nb\r\n", "a\r\nb\r\nc\r\n",
                 "a\r\nb\r\nc\r\nd\r\ne\r\n"},
        FileCase{"CrLfWithoutFinalBreak", QByteArray("a\r\nb"), "a\r\nb", "a\r\nb\r\nc",
                 "a\r\nb\r\nc\r\nd\r\ne"},
        FileCase{"LoneLfWithoutFinalBreak", QByteArray("a\nb"), "a\r\nb", "a\r\nb\r\nc",
                 "a\r\nb\r\nc\r\nd\r\ne"},
        FileCase{"LoneLfs", QByteArray("a\nb\n"), "a\r\nb\r\n", "a\r\nb\r\nc\r\n",
                 "a\r\nb\r\nc\r\nd\r\ne\r\n"},
        FileCase{"LoneCrs", QByteArray("a\rb\r"), "a\r\nb\r\n", "a\r\nb\r\nc\r\n",
                 "a\r\nb\r\nc\r\nd\r\ne\r\n"},
        FileCase{"MixedBreaks", QByteArray("a\r\nb\nc\rd"), "a\r\nb\r\nc\r\nd", "a\r\nb\r\nc\r\nd\r\nc",
                 "a\r\nb\r\nc\r\nd\r\nc\r\nd\r\ne"},
        FileCase{"CrBeforeCrLf", QByteArray("a\r\r\nb"), "a\r\n\r\nb", "a\r\n\r\nb\r\nc",
                 "a\r\n\r\nb\r\nc\r\nd\r\ne"},
        FileCase{"LfCrIsTwoBreaks", QByteArray("a\n\rb"), "a\r\n\r\nb", "a\r\n\r\nb\r\nc",
                 "a\r\n\r\nb\r\nc\r\nd\r\ne"},
        FileCase{"OnlyABreak", QByteArray("\n"), "\r\n", "\r\nc\r\n", "\r\nc\r\nd\r\ne\r\n"},
        FileCase{"CodePageBytesKept", QByteArray("\xC7\xFD\xFE\n\x81\0z", 7),
                 QByteArray("\xC7\xFD\xFE\r\n\x81\0z", 8), QByteArray("\xC7\xFD\xFE\r\n\x81\0z\r\nc", 11),
                 QByteArray("\xC7\xFD\xFE\r\n\x81\0z\r\nc\r\nd\r\ne", 17)}),
    tavlo::test::CaseName{});

TEST(MovementFile, IsNotRewrittenWhenItsBreaksAreAllCrLf)
{
    TempFolder folder;
    folder.write("m.txt", "a\r\nb\r\n");
    const ino_t before = inodeOf(folder.file("m.txt"));
    MovementFile file(folder.file("m.txt"));
    file.load();
    EXPECT_EQ(inodeOf(folder.file("m.txt")), before);
}

TEST(MovementFile, IsReplacedWholeWhenItsBreaksChange)
{
    TempFolder folder;
    folder.write("m.txt", "a\nb\n");
    const ino_t before = inodeOf(folder.file("m.txt"));
    MovementFile file(folder.file("m.txt"));
    file.load();
    EXPECT_NE(inodeOf(folder.file("m.txt")), before);
    EXPECT_EQ(folder.read("m.txt"), "a\r\nb\r\n");
}

// The reference: every break made CR LF, the final break kept or left out.
QByteArray withCrLf(const QByteArray& text)
{
    QByteArray out = textfile::splitLines(text).join("\r\n");
    if (text.endsWith('\n') || text.endsWith('\r'))
        out += "\r\n";
    return out;
}

// Lines of 40 bytes, each ended by CR LF.
QByteArray crLfLines(qsizetype bytes)
{
    QByteArray text;
    while (text.size() < bytes)
        text += QByteArray(38, 'x') + "\r\n";
    text.truncate(bytes);
    return text;
}

struct ChunkCase {
    const char* name;
    QByteArray aroundBoundary;
    qsizetype boundaryAt;  // its byte that is the first after 1 MiB
    bool rewritten;
    friend void PrintTo(const ChunkCase& c, std::ostream* os) { *os << c.name; }
};

class LargeMovementFile : public testing::TestWithParam<ChunkCase> {};

TEST_P(LargeMovementFile, KeepsBreaksThatSpanTheReadPieces)
{
    constexpr int kPiece = 1 << 20;
    const QByteArray& middle = GetParam().aroundBoundary;
    QByteArray text = crLfLines(kPiece - GetParam().boundaryAt - 2) + "\r\n" + middle + "\r\n" + crLfLines(kPiece);
    ASSERT_EQ(text.mid(kPiece - GetParam().boundaryAt, middle.size()), middle);
    TempFolder folder;
    folder.write("m.txt", text);
    const ino_t before = inodeOf(folder.file("m.txt"));

    MovementFile file(folder.file("m.txt"));
    file.load();
    EXPECT_EQ(inodeOf(folder.file("m.txt")) != before, GetParam().rewritten);
    file.append(linesOf({"c"}));
    EXPECT_EQ(folder.read("m.txt"), withCrLf(text) + "\r\nc");
}

INSTANTIATE_TEST_SUITE_P(Cases, LargeMovementFile,
                         testing::Values(ChunkCase{"CrLfAcross", "z\r\nz", 2, false},
                                         ChunkCase{"LoneCrAtTheEnd", "z\rz", 2, true},
                                         ChunkCase{"LoneLfAtTheStart", "z\nz", 1, true},
                                         ChunkCase{"CrCrLfAcross", "\r\r\n", 2, true}),
                         tavlo::test::CaseName{});

struct PositionCase {
    const char* name;
    qsizetype position;  // of the break, in a text of 300 bytes
    const char* lone;
    friend void PrintTo(const PositionCase& c, std::ostream* os) { *os << c.name; }
};

class ForeignBreakAt : public testing::TestWithParam<PositionCase> {};

// A single break that is not CR LF is found wherever it stands, so that the
// file is made CR LF throughout.
TEST_P(ForeignBreakAt, AnyPlaceOfTheFile)
{
    QByteArray text = crLfLines(300);
    text.insert(GetParam().position, GetParam().lone);
    TempFolder folder;
    folder.write("m.txt", text);
    const ino_t before = inodeOf(folder.file("m.txt"));
    MovementFile file(folder.file("m.txt"));
    file.load();
    EXPECT_NE(inodeOf(folder.file("m.txt")), before);
    EXPECT_EQ(folder.read("m.txt"), withCrLf(text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ForeignBreakAt,
    testing::Values(PositionCase{"LfFirst", 0, "\n"}, PositionCase{"CrFirst", 0, "\r"},
                    PositionCase{"LfSecond", 1, "\n"}, PositionCase{"Lf62", 62, "\n"},
                    PositionCase{"Cr63", 63, "\r"}, PositionCase{"Lf64", 64, "\n"},
                    PositionCase{"Cr64", 64, "\r"}, PositionCase{"Lf65", 65, "\n"},
                    PositionCase{"Cr127", 127, "\r"}, PositionCase{"Lf128", 128, "\n"},
                    PositionCase{"CrLast", 300, "\r"}, PositionCase{"LfLast", 300, "\n"},
                    PositionCase{"LfBeforeALine", 120, "\n"}, PositionCase{"LfAfterCrLf", 40, "\n"}),
    tavlo::test::CaseName{});

TEST(MovementFile, ThatExistsButCannotBeReadStopsTheLoad)
{
    TempFolder folder;
    QDir(folder.path()).mkdir("m.txt");
    MovementFile file(folder.file("m.txt"));
    EXPECT_THROW(file.load(), Error);
}

TEST(MovementFile, ThatCannotBeCreatedFailsWhenLinesAreAdded)
{
    TempFolder folder;
    MovementFile file(folder.file("missing/m.txt"));
    file.load();
    EXPECT_THROW(file.append(linesOf({"c"})), Error);
    EXPECT_FALSE(folder.exists("missing/m.txt"));
}

TEST(MovementFile, TakesNoLinesWithoutOpeningTheFile)
{
    TempFolder folder;
    MovementFile file(folder.file("missing/m.txt"));
    file.load();
    EXPECT_NO_THROW(file.append(MovementLines{}));
    EXPECT_FALSE(folder.exists("missing/m.txt"));
}

struct FullDiskCase {
    const char* name;
    int lineCount;  // lines of 36 bytes
    int room;       // bytes the disk takes beyond what the file holds
    friend void PrintTo(const FullDiskCase& c, std::ostream* os) { *os << c.name; }
};

class MovementFileOnFullDisk : public testing::TestWithParam<FullDiskCase> {};

// A failed append leaves the file exactly as it was, also when part of the
// lines made it to the disk, and nothing of it turns up later.
TEST_P(MovementFileOnFullDisk, IsCutBackToItsSizeBefore)
{
    TempFolder folder;
    const QByteArray before = "001,000001,1,2024/03/05,08:07:00,1\r\n";
    folder.write("m.txt", before);
    MovementLines lines;
    for (int i = 0; i < GetParam().lineCount; ++i)
        lines.add("002,000002,0,2024/03/05,08:07:00,1");

    {
        MovementFile file(folder.file("m.txt"));
        file.load();
        const FileSizeLimit full(static_cast<rlim_t>(before.size() + GetParam().room));
        try {
            file.append(lines);
            ADD_FAILURE() << "no error raised";
        } catch (const Error& e) {
            // The system's reason, as a full disk gives "No space left on device".
            const QString expected = "Cannot write to file \"" + folder.file("m.txt") + "\". "
                                   + qt_error_string(EFBIG);
            EXPECT_EQ(e.message().toStdString(), expected.toStdString());
        }
        EXPECT_EQ(file.size(), before.size());
    }
    EXPECT_EQ(folder.read("m.txt"), before);

    MovementFile again(folder.file("m.txt"));
    again.load();
    again.append(linesOf({"c"}));
    EXPECT_EQ(folder.read("m.txt"), before + "c\r\n");
}

INSTANTIATE_TEST_SUITE_P(Cases, MovementFileOnFullDisk,
                         testing::Values(FullDiskCase{"FewLinesNoRoom", 3, 0},
                                         FullDiskCase{"FewLinesPartly", 3, 50},
                                         FullDiskCase{"OnlyTheLastBreakMissing", 3, 36 * 3 - 1},
                                         FullDiskCase{"ManyLinesPartly", 2000, 40000},
                                         FullDiskCase{"SeveralPiecesPartly", 40000, 1200000}),
                         tavlo::test::CaseName{});

TEST(MovementFile, WhoseRewriteFindsNoRoomStaysAsItWasAndSaysWhy)
{
    TempFolder folder;
    QByteArray text;
    for (int i = 0; i < 2000; ++i)
        text += "001,000001,1,2024/03/05,08:07:00,1\n";
    folder.write("m.txt", text);
    MovementFile file(folder.file("m.txt"));
    {
        const FileSizeLimit full(static_cast<rlim_t>(text.size()));
        try {
            file.load();
            ADD_FAILURE() << "no error raised";
        } catch (const Error& e) {
            const QString expected = "Cannot write to file \"" + folder.file("m.txt") + "\". "
                                   + qt_error_string(EFBIG);
            EXPECT_EQ(e.message().toStdString(), expected.toStdString());
        }
    }
    EXPECT_EQ(folder.read("m.txt"), text);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"m.txt"});
}

TEST(TransferFiles, MakeTheBackupFolderAndBothFiles)
{
    TempFolder folder;
    TransferFiles files(folder.file("Hareketler.txt"), folder.file("Backup/2024-03-05.txt"));
    files.load();
    EXPECT_EQ(folder.read("Hareketler.txt"), "");
    EXPECT_EQ(folder.read("Backup/2024-03-05.txt"), "");
    files.save(linesOf({"a", "b"}));
    EXPECT_EQ(folder.read("Hareketler.txt"), "a\r\nb\r\n");
    EXPECT_EQ(folder.read("Backup/2024-03-05.txt"), "a\r\nb\r\n");
}

TEST(TransferFiles, AddTheSameLinesToFilesOfDifferentEndings)
{
    TempFolder folder;
    folder.write("Hareketler.txt", "x\ny");
    folder.write("Backup/2024-03-05.txt", "z\r\n");
    TransferFiles files(folder.file("Hareketler.txt"), folder.file("Backup/2024-03-05.txt"));
    files.load();
    files.save(linesOf({"a"}));
    files.save(linesOf({"b", "c"}));
    EXPECT_EQ(folder.read("Hareketler.txt"), "x\r\ny\r\na\r\nb\r\nc");
    EXPECT_EQ(folder.read("Backup/2024-03-05.txt"), "z\r\na\r\nb\r\nc\r\n");
}

struct FailingSaveCase {
    const char* name;
    QByteArray movement;
    QByteArray movementLoaded;
    QByteArray backup;
    bool backupIsDanglingLink;
    std::optional<rlim_t> sizeLimit;
    friend void PrintTo(const FailingSaveCase& c, std::ostream* os) { *os << c.name; }
};

class TransferFilesFailingSave : public testing::TestWithParam<FailingSaveCase> {};

// Either file failing leaves both as they were: a terminal's lines are in
// both files or in neither.
TEST_P(TransferFilesFailingSave, LeavesBothFilesAsTheyWere)
{
    const FailingSaveCase& c = GetParam();
    TempFolder folder;
    folder.write("Hareketler.txt", c.movement);
    if (c.backupIsDanglingLink) {
        QDir().mkpath(folder.file("Backup"));
        QFile::link(folder.file("nowhere/backup.txt"), folder.file("Backup/2024-03-05.txt"));
    } else {
        folder.write("Backup/2024-03-05.txt", c.backup);
    }
    TransferFiles files(folder.file("Hareketler.txt"), folder.file("Backup/2024-03-05.txt"));
    files.load();
    {
        std::optional<FileSizeLimit> full;
        if (c.sizeLimit)
            full.emplace(*c.sizeLimit);
        EXPECT_THROW(files.save(linesOf({"001,000001,1,2024/03/05,08:07:00,1",
                                         "001,000002,1,2024/03/05,08:08:00,1"})),
                     Error);
    }
    EXPECT_EQ(folder.read("Hareketler.txt"), c.movementLoaded);
    if (!c.backupIsDanglingLink) {
        EXPECT_EQ(folder.read("Backup/2024-03-05.txt"), c.backup);
    }
    EXPECT_FALSE(folder.exists("nowhere/backup.txt"));
}

const QByteArray kShort = "a\r\n";
const QByteArray kLong = QByteArray(97, 'l') + "\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, TransferFilesFailingSave,
    testing::Values(FailingSaveCase{"BackupCannotBeOpened", kShort, kShort, {}, true, std::nullopt},
                    FailingSaveCase{"BackupDiskFull", kShort, kShort, kLong, false, 110},
                    FailingSaveCase{"MovementDiskFull", kLong, kLong, kShort, false, 110},
                    FailingSaveCase{"MovementWithoutFinalBreakDiskFull", "x\ny", "x\r\ny", kShort, false, 40}),
    tavlo::test::CaseName{});

}  // namespace
}  // namespace tavlo
