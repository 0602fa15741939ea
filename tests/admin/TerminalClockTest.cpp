#include "admin/TerminalClock.h"
#include "terminal/LinkSession.h"
#include "tests/support/CaseName.h"
#include "tests/support/FixedClock.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/terminal/LiveTerminal.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace tavlo::test {
namespace {

using clocktext::pcText;
using clocktext::terminalText;

struct TerminalTextCase {
    const char* name;
    TerminalClockReading reading;
    const char* text;
    friend void PrintTo(const TerminalTextCase& c, std::ostream* os) { *os << c.name; }
};

class TerminalTexts : public testing::TestWithParam<TerminalTextCase> {};

// Day, month, year, the terminal's day name, hour and minute; the seconds
// the terminal delivers are not shown.
TEST_P(TerminalTexts, ShowTheTerminalsDateDayNameAndTime)
{
    EXPECT_EQ(terminalText(GetParam().reading), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TerminalTexts,
    testing::Values(
        TerminalTextCase{"WeekdayZeroHasNoName", {2024, 3, 5, 7, 4, 33, 0}, "05.03.2024   07:04"},
        TerminalTextCase{"WeekdayOneIsMonday", {2024, 3, 4, 7, 4, 33, 1}, "04.03.2024  Pazartesi 07:04"},
        TerminalTextCase{"WeekdayThree", {2024, 3, 6, 12, 30, 0, 3}, "06.03.2024  Çarşamba 12:30"},
        TerminalTextCase{"WeekdaySevenIsSunday", {2024, 3, 10, 23, 59, 59, 7}, "10.03.2024  Pazar 23:59"},
        TerminalTextCase{"WeekdayEightHasNoName", {2024, 3, 5, 7, 4, 33, 8}, "05.03.2024   07:04"},
        TerminalTextCase{"NegativeWeekdayHasNoName", {2024, 3, 5, 7, 4, 33, -1}, "05.03.2024   07:04"},
        TerminalTextCase{"FieldsArePaddedWithZeros", {987, 2, 1, 0, 9, 0, 2}, "01.02.0987  Salı 00:09"}),
    CaseName{});

struct PcTextCase {
    const char* name;
    QDateTime local;
    const char* text;
    friend void PrintTo(const PcTextCase& c, std::ostream* os) { *os << c.name; }
};

class PcTexts : public testing::TestWithParam<PcTextCase> {};

// The PC numbers its days from 1 for Sunday, so its names run one day
// apart from the terminal's; its field shows the seconds.
TEST_P(PcTexts, ShowThePcsDateDayNameAndTimeWithSeconds)
{
    EXPECT_EQ(pcText(GetParam().local), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PcTexts,
    testing::Values(
        PcTextCase{"Sunday", {{2024, 3, 10}, {7, 8, 9}}, "10.03.2024  Pazar 07:08:09"},
        PcTextCase{"Monday", {{2024, 3, 11}, {0, 0, 5}}, "11.03.2024  Pazartesi 00:00:05"},
        PcTextCase{"Wednesday", {{2024, 3, 13}, {12, 0, 0}}, "13.03.2024  Çarşamba 12:00:00"},
        PcTextCase{"Saturday", {{2024, 3, 9}, {23, 59, 59}}, "09.03.2024  Cumartesi 23:59:59"},
        PcTextCase{"EarlyYear", {{800, 1, 2}, {1, 2, 3}}, "02.01.0800  Pazar 01:02:03"}),
    CaseName{});

TEST(PcClock, TheTimeComesFromThePcsClock)
{
    FixedClock pc({{2024, 3, 10}, {7, 8, 9}});
    EXPECT_EQ(TerminalClock::pcNow(), QStringLiteral("10.03.2024  Pazar 07:08:09"));
    pc.set({{2024, 3, 11}, {7, 8, 10}});
    EXPECT_EQ(TerminalClock::pcNow(), QStringLiteral("11.03.2024  Pazartesi 07:08:10"));
}

// Three years ahead of the host: a clock that no setting to the PC's time
// leaves as it was.
constexpr qint64 kAhead = 3LL * 365 * 86400;

// A terminal whose clock runs ahead of the PC's, on a link of the
// terminal's own control.
class TerminalClockTest : public testing::Test {
protected:
    explicit TerminalClockTest(QStringList faults = {})
        : terminal({}, {}, QStringList{"--clock-offset", QString::number(kAhead)} + faults)
    {
        terminal.driver.setTimeouts(300, 2000);
    }

    LinkSession link()
    {
        return LinkSession(cc, {kEthernet, LiveTerminal::kMachine, "127.0.0.1", terminal.emulator->port(),
                                QString::number(LiveTerminal::kPassword)},
                           linksite::kMaintenance);
    }

    // The terminal's clock as a link of another control reads it now.
    QDateTime terminalTime()
    {
        TSBXPC probe;
        TerminalClockReading r;
        EXPECT_TRUE(terminal.open(probe, Transport::Tcp));
        EXPECT_TRUE(probe.GetDeviceClock(LiveTerminal::kMachine, r.year, r.month, r.day, r.hour, r.minute,
                                         r.second, r.weekday));
        probe.CloseLink();
        return {QDate(r.year, r.month, r.day), QTime(r.hour, r.minute, r.second)};
    }
    // The terminal's field for a time the terminal's clock shows.
    static QString textOf(const QDateTime& time)
    {
        const QDate d = time.date();
        return terminalText({d.year(), d.month(), d.day(), time.time().hour(), time.time().minute(), 0,
                             d.dayOfWeek()});
    }
    QString terminalNow() { return textOf(terminalTime()); }

    qint64 clockOffset() const { return terminal.state().settings().clockOffset; }
    bool keypadEnabled() const { return terminal.state().settings().keypadEnabled; }

    LiveTerminal terminal;
    ScriptedDialogs dialogs;
    TSBXPC cc;
};

TEST_F(TerminalClockTest, ReadShowsTheTerminalsOwnClockAndUnlocksTheKeypad)
{
    LinkSession session = link();
    ASSERT_TRUE(session.linked());
    const QString before = terminalNow();
    const QString shown = TerminalClock(session).read();
    const QString after = terminalNow();
    EXPECT_THAT(shown, testing::AnyOf(before, after));
    EXPECT_TRUE(keypadEnabled());
}

TEST_F(TerminalClockTest, SetToPcTimeSetsTheClockAndShowsItAsReadBack)
{
    LinkSession session = link();
    ASSERT_TRUE(session.linked());
    const QString ahead = terminalNow();
    const TerminalClock::Setting setting = TerminalClock(session).setToPcTime();
    const QDateTime after = terminalTime();
    EXPECT_EQ(setting.message, QString::fromUtf8(TerminalClock::kUpdated));
    EXPECT_LT(std::llabs(clockOffset()), 120) << "the terminal runs on the PC's time";
    EXPECT_NE(setting.readBack, ahead);
    // Read back just before `after`: in its minute or the one before.
    EXPECT_THAT(setting.readBack, testing::AnyOf(textOf(after), textOf(after.addSecs(-60))));
    EXPECT_TRUE(keypadEnabled());
    EXPECT_TRUE(dialogs.messages.isEmpty()) << "the window shows the message";
}

class RefusingTerminalClockTest : public TerminalClockTest {
protected:
    RefusingTerminalClockTest() : TerminalClockTest({"--fail", "SetClock"}) {}
};

TEST_F(RefusingTerminalClockTest, ARefusedSettingSaysSoAndShowsTheClockAsReadBack)
{
    LinkSession session = link();
    ASSERT_TRUE(session.linked());
    const QString before = terminalNow();
    const TerminalClock::Setting setting = TerminalClock(session).setToPcTime();
    const QString after = terminalNow();
    EXPECT_EQ(setting.message, QStringLiteral("Tarih / Saat ayarlanamadı!"));
    EXPECT_THAT(setting.readBack, testing::AnyOf(before, after)) << "still ahead";
    EXPECT_EQ(clockOffset(), kAhead);
    EXPECT_TRUE(keypadEnabled());
}

class SilentTerminalClockTest : public TerminalClockTest {
protected:
    SilentTerminalClockTest() : TerminalClockTest({"--fail", "GetClock"}) {}
};

TEST_F(SilentTerminalClockTest, AClockThatIsNotGivenSaysItCouldNotBeRead)
{
    LinkSession session = link();
    ASSERT_TRUE(session.linked());
    const TerminalClock clock(session);
    EXPECT_EQ(clock.read(), QStringLiteral("Cihazın tarih ve saati okunamadı!"));
    EXPECT_TRUE(keypadEnabled());

    const TerminalClock::Setting setting = clock.setToPcTime();
    EXPECT_EQ(setting.message, QString::fromUtf8(TerminalClock::kUpdated)) << "the setting was taken";
    EXPECT_EQ(setting.readBack, QString::fromUtf8(TerminalClock::kNotRead));
    EXPECT_LT(std::llabs(clockOffset()), 120);
    EXPECT_TRUE(keypadEnabled());
}

}  // namespace
}  // namespace tavlo::test
