#include "admin/LinkTest.h"
#include "store/DataModul.h"
#include "tests/support/CaseName.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/terminal/LiveTerminal.h"

#include <gtest/gtest.h>

namespace tavlo::test {
namespace {

struct LinkTestCase {
    const char* name;
    qint32 connectionType;  // -1: no terminal row at all
    bool wrongPassword;
    bool linked;
    friend void PrintTo(const LinkTestCase& c, std::ostream* os) { *os << c.name; }
};

class LinkTestRun : public testing::TestWithParam<LinkTestCase> {
protected:
    LinkTestRun()
    {
        terminal.driver.setTimeouts(300, 2000);
        data.CihazTable.open();
    }

    void addRow(qint32 type, bool wrongPassword)
    {
        Table& t = data.CihazTable;
        t.append();
        t.set(Cihaz::BaglantiTipi, type);
        t.set(Cihaz::MakineNo, LiveTerminal::kMachine);
        t.set(Cihaz::IPAdres, "127.0.0.1");
        t.set(Cihaz::Port, type == 2 ? LiveTerminal::kSerialPort : terminal.emulator->port());
        t.set(Cihaz::Parola, wrongPassword ? "1" : QString::number(LiveTerminal::kPassword));
        t.post();
    }

    LiveTerminal terminal;
    ScriptedDialogs dialogs;
    TDataModul data;
    TSBXPC cc;
};

// The link is closed again before the message, so the control is free
// after the test, and nothing on the terminal changed.
TEST_P(LinkTestRun, SaysWhetherTheCurrentTerminalCanBeReached)
{
    const LinkTestCase& c = GetParam();
    if (c.connectionType >= 0)
        addRow(c.connectionType, c.wrongPassword);
    LinkTest::run(cc, data.CihazTable);
    EXPECT_EQ(dialogs.messages,
              QStringList{QString::fromUtf8(c.linked ? LinkTest::kLinked : "Bağlantı Kurulamadı ! ! !")});
    qint32 value = 0;
    EXPECT_FALSE(cc.GetStatusValue(LiveTerminal::kMachine, 8, value)) << "no link is left open";
    EXPECT_TRUE(terminal.state().settings().keypadEnabled);
}

INSTANTIATE_TEST_SUITE_P(Cases, LinkTestRun,
                         testing::Values(LinkTestCase{"Ethernet", 1, false, true},
                                         LinkTestCase{"SerialLine", 2, false, true},
                                         LinkTestCase{"UsbOnTheSameLine", 3, false, true},
                                         LinkTestCase{"WrongPassword", 1, true, false},
                                         LinkTestCase{"ConnectionTypeZero", 0, false, false},
                                         LinkTestCase{"EmptyList", -1, false, false}),
                         tavlo::test::CaseName{});

}  // namespace
}  // namespace tavlo::test
