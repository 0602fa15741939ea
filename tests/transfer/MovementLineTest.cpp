#include "transfer/MovementLine.h"

#include <gtest/gtest.h>

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

constexpr qint32 kMin = std::numeric_limits<qint32>::min();
constexpr qint32 kMax = std::numeric_limits<qint32>::max();

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
        LineCase{"TurkishCodeInCodePage", {1, 7, QString::fromUtf8("Çıkış"), 2024, 3, 5, 8, 7, 1},
                 "001,000007,\xC7\xFDk\xFD\xFE,2024/03/05,08:07:00,1"},
        LineCase{"EmptyCode", {1, 7, "", 2024, 3, 5, 8, 7, 1},
                 "001,000007,,2024/03/05,08:07:00,1"},
        LineCase{"NegativeNumbers", {-5, -42, "1", -1, -2, -3, -4, -6, -7},
                 "-005,-000042,1,-0001/-02/-03,-04:-06:00,-7"},
        LineCase{"ExtremeNumbers", {kMin, kMax, "1", kMax, 1, 1, 0, 0, kMin},
                 "-2147483648,2147483647,1,2147483647/01/01,00:00:00,-2147483648"},
        LineCase{"HourTwentyFour", {1, 123, "1", 2024, 3, 5, 24, 30, 1},
                 "001,000123,1,2024/03/05,24:30:00,1"},
        LineCase{"WholeModeWord", {1, 123, "0", 2024, 3, 5, 8, 7, 1281},
                 "001,000123,0,2024/03/05,08:07:00,1281"},
        LineCase{"ShortYearPadded", {1, 123, "1", 999, 3, 5, 8, 7, 1},
                 "001,000123,1,0999/03/05,08:07:00,1"}),
    [](const auto& info) { return std::string(info.param.name); });

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
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tavlo
