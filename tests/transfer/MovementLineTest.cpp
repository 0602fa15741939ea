#include "tests/support/CaseName.h"
#include "transfer/MovementLine.h"

#include <gtest/gtest.h>

#include "transfer/MovementLines.h"

#include <limits>

namespace tavlo {
namespace {

struct LineCase {
    const char* name;
    MovementRecord record;
    QByteArray line;
    friend void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }
};

class MovementLineFormat : public testing::TestWithParam<LineCase> {};

TEST_P(MovementLineFormat, WritesTheFieldsWithTheirWidths)
{
    EXPECT_EQ(formatMovementLine(GetParam().record), GetParam().line);
}

TEST_P(MovementLineFormat, StaysWithinItsBound)
{
    QByteArray room(movementLineBound(GetParam().record) + 1, '#');
    const char* end = writeMovementLine(room.data(), GetParam().record);
    EXPECT_EQ(QByteArray(room.constData(), end - room.constData()), GetParam().line);
    EXPECT_EQ(room.back(), '#');
}

constexpr qint32 kMin = std::numeric_limits<qint32>::min();
constexpr qint32 kMax = std::numeric_limits<qint32>::max();

const QByteArray kLongCode(300, 'K');

INSTANTIATE_TEST_SUITE_P(
    Cases, MovementLineFormat,
    testing::Values(
        LineCase{"DefaultCodesEntry", {1, 123, "1", 2024, 3, 5, 8, 7, 1},
                 "001,000123,1,2024/03/05,08:07:00,1"},
        LineCase{"TerminalFiveAsThreeDigits", {5, 42, "0", 2024, 12, 31, 23, 59, 0},
                 "005,000042,0,2024/12/31,23:59:00,0"},
        LineCase{"WideTerminalInFull", {12345, 1, "1", 2024, 1, 1, 0, 0, 1},
                 "12345,000001,1,2024/01/01,00:00:00,1"},
        LineCase{"SevenDigitUser", {1, 1234567, "1", 2024, 3, 5, 8, 7, 1},
                 "001,1234567,1,2024/03/05,08:07:00,1"},
        LineCase{"CodesOfSeveralLetters", {1, 7, "GIRIS", 2024, 3, 5, 8, 7, 1},
                 "001,000007,GIRIS,2024/03/05,08:07:00,1"},
        LineCase{"SevenLetterCode", {1, 7, "CIKISYP", 2024, 3, 5, 8, 7, 1},
                 "001,000007,CIKISYP,2024/03/05,08:07:00,1"},
        LineCase{"CodeInTheCodePage", {1, 7, "\xC7\xFDk\xFD\xFE", 2024, 3, 5, 8, 7, 1},
                 "001,000007,\xC7\xFDk\xFD\xFE,2024/03/05,08:07:00,1"},
        LineCase{"EmptyCode", {1, 7, {}, 2024, 3, 5, 8, 7, 1},
                 "001,000007,,2024/03/05,08:07:00,1"},
        LineCase{"NegativeNumbers", {-5, -42, "1", -1, -2, -3, -4, -6, -7},
                 "-005,-000042,1,-0001/-02/-03,-04:-06:00,-7"},
        LineCase{"ExtremeNumbers", {kMin, kMax, "1", kMax, 1, 1, 0, 0, kMin},
                 "-2147483648,2147483647,1,2147483647/01/01,00:00:00,-2147483648"},
        LineCase{"HourTwentyFour", {1, 123, "1", 2024, 3, 5, 24, 30, 1},
                 "001,000123,1,2024/03/05,24:30:00,1"},
        LineCase{"WholeModeWord", {1, 123, "0", 2024, 3, 5, 8, 7, 1281},
                 "001,000123,0,2024/03/05,08:07:00,1281"},
        LineCase{"LongCode", {1, 7, kLongCode, 2024, 3, 5, 8, 7, 1},
                 "001,000007," + kLongCode + ",2024/03/05,08:07:00,1"},
        LineCase{"ShortYearPadded", {1, 123, "1", 999, 3, 5, 8, 7, 1},
                 "001,000123,1,0999/03/05,08:07:00,1"}),
    tavlo::test::CaseName{});

QByteArray joined(const MovementLines& lines)
{
    QByteArray text;
    for (const QByteArray& piece : lines.pieces())
        text += piece;
    return text;
}

TEST(MovementLines, JoinsLinesByCrLfWithoutABreakAfterTheLast)
{
    MovementLines lines;
    EXPECT_EQ(joined(lines), "");
    lines.add(QByteArrayView("a"));
    EXPECT_EQ(joined(lines), "a");
    lines.add(MovementRecord{5, 42, "1", 2024, 3, 5, 8, 7, 1});
    lines.add(QByteArrayView(""));
    EXPECT_EQ(joined(lines), "a\r\n005,000042,1,2024/03/05,08:07:00,1\r\n");
    EXPECT_EQ(lines.count(), 3);
    EXPECT_EQ(lines.size(), joined(lines).size());
    lines.clear();
    EXPECT_EQ(lines.count(), 0);
    EXPECT_EQ(lines.size(), 0);
    EXPECT_TRUE(lines.pieces().empty());
}

// A full terminal's lines fill many pieces; each piece holds whole lines,
// those after the first begun by their separator, and the pieces together
// are the lines joined.
TEST(MovementLines, KeepsManyLinesInWholePieces)
{
    MovementLines lines;
    QByteArray expected;
    for (qint32 user = 0; user < 100000; ++user) {
        const MovementRecord record{1, user, "1", 2024, 3, 5, 8, 7, user % 3};
        lines.add(record);
        expected += (user ? "\r\n" : "") + formatMovementLine(record);
    }
    EXPECT_GT(lines.pieces().size(), 1u);
    for (std::size_t i = 0; i < lines.pieces().size(); ++i) {
        const QByteArray& piece = lines.pieces()[i];
        EXPECT_TRUE(piece.startsWith(i == 0 ? "001," : "\r\n001,")) << i;
        EXPECT_TRUE(piece.endsWith(",0") || piece.endsWith(",1") || piece.endsWith(",2")) << i;
    }
    EXPECT_EQ(joined(lines), expected);
    EXPECT_EQ(lines.size(), expected.size());
    EXPECT_EQ(lines.count(), 100000);
}

struct BackupNameCase {
    const char* name;
    QDate date;
    QString path;
    friend void PrintTo(const BackupNameCase& c, std::ostream* os) { *os << c.name; }
};

class BackupFileName : public testing::TestWithParam<BackupNameCase> {};

TEST_P(BackupFileName, IsTheDateInTheBackupFolder)
{
    EXPECT_EQ(backupFilePath("/opt/tavlo/", GetParam().date).toStdString(),
              GetParam().path.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BackupFileName,
    testing::Values(BackupNameCase{"Padded", QDate(2024, 3, 5), "/opt/tavlo/Backup/2024-03-05.txt"},
                    BackupNameCase{"TwoDigits", QDate(2024, 12, 31), "/opt/tavlo/Backup/2024-12-31.txt"},
                    BackupNameCase{"ShortYear", QDate(987, 1, 2), "/opt/tavlo/Backup/0987-01-02.txt"}),
    tavlo::test::CaseName{});

}  // namespace
}  // namespace tavlo
