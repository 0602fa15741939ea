#include "tests/support/CaseName.h"
#include "transfer/RecordRules.h"

#include <gtest/gtest.h>

#include <limits>

namespace tavlo {
namespace {

struct EntryExitCase {
    const char* name;
    qint32 gcTip;
    qint32 modeWord;
    bool exit;
    qint32 mode;
    friend void PrintTo(const EntryExitCase& c, std::ostream* os) { *os << c.name; }
};

class EntryExitRule : public testing::TestWithParam<EntryExitCase> {};

TEST_P(EntryExitRule, FollowsTheTerminalsEntryExitType)
{
    const EntryExit kind = decideEntryExit(GetParam().gcTip, GetParam().modeWord);
    EXPECT_EQ(kind.exit, GetParam().exit);
    EXPECT_EQ(kind.mode, GetParam().mode);
}

constexpr qint32 kMin = std::numeric_limits<qint32>::min();

INSTANTIATE_TEST_SUITE_P(
    Cases, EntryExitRule,
    testing::Values(
        EntryExitCase{"BothSecondByteFiveIsExit", 0, 1281, true, 1},
        EntryExitCase{"BothSecondByteSixIsEntry", 0, 1537, false, 1},
        EntryExitCase{"BothSecondByteSevenIsExit", 0, 7 * 256 + 3, true, 3},
        EntryExitCase{"BothSecondByteZeroIsEntry", 0, 5, false, 5},
        EntryExitCase{"BothOnlyTheSecondByteCounts", 0, 0x10501, true, 1},
        EntryExitCase{"BothNegativeTruncatesTowardZero", 0, -1281, false, -1},
        EntryExitCase{"BothLowestWord", 0, kMin, false, 0},
        EntryExitCase{"EntryOnlyKeepsWholeWord", 1, 1281, false, 1281},
        EntryExitCase{"EntryOnlyWithSix", 1, 1537, false, 1537},
        EntryExitCase{"ExitOnlyKeepsWholeWord", 2, 1281, true, 1281},
        EntryExitCase{"ExitOnlyWithSix", 2, 1537, true, 1537},
        EntryExitCase{"OtherTypeIsEntry", 3, 1281, false, 1281},
        EntryExitCase{"NegativeTypeIsEntry", -1, 1281, false, 1281}),
    tavlo::test::CaseName{});

struct ValidityCase {
    const char* name;
    LogRecord record;
    bool valid;
    friend void PrintTo(const ValidityCase& c, std::ostream* os) { *os << c.name; }
};

class RecordTimeValidity : public testing::TestWithParam<ValidityCase> {};

TEST_P(RecordTimeValidity, KeepsTheBoundsInclusive)
{
    EXPECT_EQ(isValidRecordTime(GetParam().record), GetParam().valid);
}

// user, mode, year, month, day, hour, minute, second
INSTANTIATE_TEST_SUITE_P(
    Cases, RecordTimeValidity,
    testing::Values(
        ValidityCase{"Ordinary", {1, 0, 2024, 3, 5, 8, 7, 0}, true},
        ValidityCase{"Year1950", {1, 0, 1950, 12, 31, 23, 59, 59}, false},
        ValidityCase{"Year1951", {1, 0, 1951, 1, 1, 0, 0, 0}, true},
        ValidityCase{"Year2099", {1, 0, 2099, 12, 31, 23, 59, 59}, true},
        ValidityCase{"Year2100", {1, 0, 2100, 1, 1, 0, 0, 0}, false},
        ValidityCase{"Month0", {1, 0, 2024, 0, 5, 8, 7, 0}, false},
        ValidityCase{"Month13", {1, 0, 2024, 13, 5, 8, 7, 0}, false},
        ValidityCase{"Day0", {1, 0, 2024, 3, 0, 8, 7, 0}, false},
        ValidityCase{"Day31OfAprilPasses", {1, 0, 2024, 4, 31, 8, 7, 0}, true},
        ValidityCase{"Day32", {1, 0, 2024, 3, 32, 8, 7, 0}, false},
        ValidityCase{"HourMinus1", {1, 0, 2024, 3, 5, -1, 7, 0}, false},
        ValidityCase{"Hour24", {1, 0, 2024, 3, 5, 24, 0, 0}, true},
        ValidityCase{"Hour25", {1, 0, 2024, 3, 5, 25, 0, 0}, false},
        ValidityCase{"Minute59", {1, 0, 2024, 3, 5, 8, 59, 0}, true},
        ValidityCase{"Minute60", {1, 0, 2024, 3, 5, 8, 60, 0}, false},
        ValidityCase{"MinuteMinus1", {1, 0, 2024, 3, 5, 8, -1, 0}, false},
        ValidityCase{"Second59", {1, 0, 2024, 3, 5, 8, 7, 59}, true},
        ValidityCase{"Second60", {1, 0, 2024, 3, 5, 8, 7, 60}, false},
        ValidityCase{"SecondMinus1", {1, 0, 2024, 3, 5, 8, 7, -1}, false}),
    tavlo::test::CaseName{});

struct SerialCase {
    const char* name;
    qint32 year, month, day;
    std::optional<qint32> serial;
    friend void PrintTo(const SerialCase& c, std::ostream* os) { *os << c.name; }
};

class DateSerial : public testing::TestWithParam<SerialCase> {};

TEST_P(DateSerial, CountsDaysFromTheThirtiethOfDecember1899)
{
    const SerialCase& c = GetParam();
    EXPECT_EQ(dateSerial(c.year, c.month, c.day), c.serial);
    if (c.serial) {
        EXPECT_EQ(dateSerial(QDate(c.year, c.month, c.day)), *c.serial);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DateSerial,
    testing::Values(SerialCase{"Zero", 1899, 12, 30, 0},
                    SerialCase{"FirstOf1900", 1900, 1, 1, 2},
                    SerialCase{"Serial1000", 1902, 9, 26, 1000},
                    SerialCase{"EndOfJanuary2024", 2024, 1, 31, 45322},
                    SerialCase{"LeapDay2024", 2024, 2, 29, 45351},
                    SerialCase{"Ceiling", 2091, 8, 25, 70000},
                    SerialCase{"ThirtyFirstOfApril", 2024, 4, 31, std::nullopt},
                    SerialCase{"LeapDayOf2023", 2023, 2, 29, std::nullopt},
                    SerialCase{"Month13", 2024, 13, 1, std::nullopt}),
    tavlo::test::CaseName{});

struct WindowCase {
    const char* name;
    std::optional<QDate> from;
    std::optional<QDate> to;
    bool active;
    qint32 lower;
    qint32 upper;
    friend void PrintTo(const WindowCase& c, std::ostream* os) { *os << c.name; }
};

class DateWindowBounds : public testing::TestWithParam<WindowCase> {};

TEST_P(DateWindowBounds, ComeFromTheTwoDateFields)
{
    const DateWindow window = DateWindow::fromBounds(GetParam().from, GetParam().to);
    EXPECT_EQ(window.active, GetParam().active);
    EXPECT_EQ(window.lower, GetParam().lower);
    EXPECT_EQ(window.upper, GetParam().upper);
}

const QDate kSerial999(1902, 9, 25);
const QDate kSerial1000(1902, 9, 26);
const QDate kSerial1001(1902, 9, 27);

INSTANTIATE_TEST_SUITE_P(
    Cases, DateWindowBounds,
    testing::Values(
        WindowCase{"BothEmpty", std::nullopt, std::nullopt, false, 0, 70000},
        WindowCase{"OnlyUpper", std::nullopt, QDate(2024, 1, 31), true, 0, 45322},
        WindowCase{"OnlyLower", QDate(2024, 1, 1), std::nullopt, true, 45292, 70000},
        WindowCase{"Both", QDate(2024, 1, 1), QDate(2024, 1, 31), true, 45292, 45322},
        WindowCase{"LowerAboveUpper", QDate(2024, 2, 1), QDate(2024, 1, 31), true, 45323, 45322},
        WindowCase{"Exactly1000StaysAndIsInactive", kSerial1000, kSerial1000, false, 1000, 1000},
        WindowCase{"Below1000BecomesTheDefaults", kSerial999, kSerial999, false, 0, 70000},
        WindowCase{"Above1000IsActive", kSerial1001, std::nullopt, true, 1001, 70000},
        WindowCase{"BeforeSerialZero", QDate(1800, 1, 1), QDate(1800, 1, 1), false, 0, 70000}),
    tavlo::test::CaseName{});

struct ContainsCase {
    const char* name;
    LogRecord record;
    bool inside;
    friend void PrintTo(const ContainsCase& c, std::ostream* os) { *os << c.name; }
};

class DateWindowTest : public testing::TestWithParam<ContainsCase> {};

// The window of January 2024.
TEST_P(DateWindowTest, TakesBothBoundsAndSkipsDatesTheCalendarLacks)
{
    const DateWindow window = DateWindow::fromBounds(QDate(2024, 1, 1), QDate(2024, 1, 31));
    EXPECT_EQ(window.contains(GetParam().record), GetParam().inside);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DateWindowTest,
    testing::Values(ContainsCase{"DayBefore", {1, 0, 2023, 12, 31, 23, 59, 0}, false},
                    ContainsCase{"LowerBound", {1, 0, 2024, 1, 1, 0, 0, 0}, true},
                    ContainsCase{"UpperBound", {1, 0, 2024, 1, 31, 24, 0, 0}, true},
                    ContainsCase{"DayAfter", {1, 0, 2024, 2, 1, 0, 0, 0}, false},
                    ContainsCase{"ThirtyFirstOfFebruary", {1, 0, 2024, 2, 31, 8, 0, 0}, false}),
    tavlo::test::CaseName{});

TEST(DateWindow, SkipsTheThirtyFirstOfAprilEvenWhenItsNeighboursAreInside)
{
    const DateWindow window = DateWindow::fromBounds(QDate(2024, 4, 1), QDate(2024, 5, 31));
    EXPECT_TRUE(window.contains({1, 0, 2024, 4, 30, 8, 0, 0}));
    EXPECT_FALSE(window.contains({1, 0, 2024, 4, 31, 8, 0, 0}));
    EXPECT_TRUE(window.contains({1, 0, 2024, 5, 1, 8, 0, 0}));
}

struct ProgressCase {
    const char* name;
    qint64 lines;
    qint32 expected;
    qint32 percent;
    friend void PrintTo(const ProgressCase& c, std::ostream* os) { *os << c.name; }
};

class Progress : public testing::TestWithParam<ProgressCase> {};

TEST_P(Progress, RoundsHalvesToEven)
{
    EXPECT_EQ(progressPercent(GetParam().lines, GetParam().expected), GetParam().percent);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Progress,
    testing::Values(ProgressCase{"OneOfEightIs12", 1, 8, 12},
                    ProgressCase{"TwoOfEightIs25", 2, 8, 25},
                    ProgressCase{"ThreeOfEightIs38", 3, 8, 38},
                    ProgressCase{"FiveOfEightIs62", 5, 8, 62},
                    ProgressCase{"SevenOfEightIs88", 7, 8, 88},
                    ProgressCase{"AllOfEight", 8, 8, 100},
                    ProgressCase{"HalfAPercentIs0", 1, 200, 0},
                    ProgressCase{"OneAndAHalfIs2", 3, 200, 2},
                    ProgressCase{"FirstOf300Is0", 1, 300, 0},
                    ProgressCase{"SecondOf300Is1", 2, 300, 1},
                    ProgressCase{"MoreLinesThanExpected", 3, 2, 150},
                    ProgressCase{"ExpectedOne", 2, 1, 200},
                    ProgressCase{"ExpectedZeroCountsAsOne", 1, 0, 100},
                    ProgressCase{"ExpectedZeroSecondLine", 2, 0, 200},
                    ProgressCase{"ExpectedNegativeCountsAsOne", 3, -5, 300}),
    tavlo::test::CaseName{});

}  // namespace
}  // namespace tavlo
