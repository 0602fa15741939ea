#include "terminal/LinkProcedure.h"
#include "tests/support/CaseName.h"
#include "tests/terminal/LiveTerminal.h"

#include <gtest/gtest.h>

namespace tavlo::test {
namespace {

struct PasswordCase {
    const char* name;
    QString parola;
    qint32 password;
    friend void PrintTo(const PasswordCase& c, std::ostream* os) { *os << c.name; }
};

class LinkPassword : public testing::TestWithParam<PasswordCase> {};

TEST_P(LinkPassword, IsParolaAsADecimalIntegerOrZero)
{
    EXPECT_EQ(linkPassword(GetParam().parola), GetParam().password);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LinkPassword,
    testing::Values(PasswordCase{"Empty", "", 0}, PasswordCase{"Letters", "abc", 0},
                    PasswordCase{"Number", "4321", 4321}, PasswordCase{"Negative", "-12", -12},
                    PasswordCase{"NumberThenLetters", "12ab", 0},
                    PasswordCase{"TooLarge", "99999999999", 0},
                    PasswordCase{"Hexadecimal", "0x10", 0}),
    tavlo::test::CaseName{});

struct LinkCase {
    const char* name;
    TerminalLinkValues row;
    LinkOutcome expected;
    friend void PrintTo(const LinkCase& c, std::ostream* os) { *os << c.name; }
};

// The row's Port is filled in with the emulator's TCP port where it is -1.
class OpenLink : public testing::TestWithParam<LinkCase> {
protected:
    OpenLink()
    {
        // Serial ports other than 3 and 0 lead nowhere, so that a link on
        // the emulator proves which port number was opened.
        for (int port : {1, 2, 4, 7, 9})
            terminal.driver.mapSerialPort(port, terminal.folder.file("nothing-here"));
        terminal.driver.setTimeouts(300, 1000);
    }
    LiveTerminal terminal;
    TSBXPC cc;
};

TEST_P(OpenLink, CallsByConnectionType)
{
    TerminalLinkValues row = GetParam().row;
    if (row.Port == -1)
        row.Port = terminal.emulator->port();
    EXPECT_EQ(openLink(cc, row), GetParam().expected);
    qint32 all = -1;
    EXPECT_EQ(cc.GetStatusValue(row.MakineNo, 8, all), GetParam().expected == LinkOutcome::Linked);
    cc.CloseLink();
}

const QString kLoopback = QStringLiteral("127.0.0.1");

INSTANTIATE_TEST_SUITE_P(
    Cases, OpenLink,
    testing::Values(
        LinkCase{"Ethernet", {kEthernet, 1, kLoopback, -1, "4321"}, LinkOutcome::Linked},
        LinkCase{"EthernetWrongPassword", {kEthernet, 1, kLoopback, -1, "4320"}, LinkOutcome::NotLinked},
        LinkCase{"EthernetLettersSendZero", {kEthernet, 1, kLoopback, -1, "abcd"}, LinkOutcome::NotLinked},
        LinkCase{"EthernetWrongMachine", {kEthernet, 2, kLoopback, -1, "4321"}, LinkOutcome::NotLinked},
        LinkCase{"EthernetAddressNotTrimmed", {kEthernet, 1, " 127.0.0.1", -1, "4321"}, LinkOutcome::NotLinked},
        LinkCase{"SerialOnItsPort", {kSerialPort, 1, "", 3, ""}, LinkOutcome::Linked},
        LinkCase{"SerialOnAnotherPort", {kSerialPort, 1, "", 4, ""}, LinkOutcome::NotLinked},
        LinkCase{"UsbWhateverThePort", {kUsb, 1, "", 9, ""}, LinkOutcome::Linked},
        LinkCase{"UsbWrongMachine", {kUsb, 3, "", 3, ""}, LinkOutcome::NotLinked},
        LinkCase{"TypeZero", {0, 1, kLoopback, -1, "4321"}, LinkOutcome::NoCall},
        LinkCase{"TypeFour", {4, 1, kLoopback, -1, "4321"}, LinkOutcome::NoCall},
        LinkCase{"NegativeType", {-1, 1, kLoopback, -1, "4321"}, LinkOutcome::NoCall}),
    tavlo::test::CaseName{});

TEST(OpenLinkPassword, AnEmptyParolaOpensATerminalWithoutPassword)
{
    LiveTerminal terminal({}, {}, {"--password", "0"});
    TSBXPC cc;
    EXPECT_EQ(openLink(cc, {kEthernet, 1, kLoopback, terminal.emulator->port(), ""}), LinkOutcome::Linked);
    cc.CloseLink();
    EXPECT_EQ(openLink(cc, {kEthernet, 1, kLoopback, terminal.emulator->port(), "ab"}), LinkOutcome::Linked);
    cc.CloseLink();
}

TEST(OpenLinkNoCall, LeavesAnOpenLinkAlone)
{
    LiveTerminal terminal;
    TSBXPC cc;
    ASSERT_EQ(openLink(cc, {kEthernet, 1, kLoopback, terminal.emulator->port(), "4321"}), LinkOutcome::Linked);
    EXPECT_EQ(openLink(cc, {0, 1, kLoopback, terminal.emulator->port(), "4321"}), LinkOutcome::NoCall);
    qint32 all = -1;
    EXPECT_TRUE(cc.GetStatusValue(1, 8, all)) << "no call was made";
    cc.CloseLink();
}

}  // namespace
}  // namespace tavlo::test
