#include "diag/ScratchTools.h"
#include "platform/Error.h"
#include "store/DataModul.h"
#include "tests/admin/RaisingControl.h"
#include "tests/support/CaseName.h"
#include "tests/support/RefusingPort.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/terminal/LiveTerminal.h"

#include <gtest/gtest.h>

#include <optional>

namespace tavlo::test {
namespace {

// User 7 holds a finger (enrolment number 2) with data and a card; user 999999
// a finger 0; user 1 two fingers.
const QByteArray kUsers = "user\tenrolment\tprivilege\tenabled\tpassword\tdata\n"
                          "7\t2\t3\t1\t1111\t-2147483648,1,2,3\n"
                          "7\t11\t0\t1\t0\n"
                          "999999\t0\t1\t1\t5\t9,8\n"
                          "1\t0\t0\t1\t0\t4\n"
                          "1\t1\t0\t1\t0\t5\n";

QStringList scratchLines(qint32 user, qint32 enrolment, qint32 privilege, qint32 password,
                         QList<qint32> head)
{
    QStringList lines{QString::number(user), QString::number(enrolment), QString::number(privilege),
                      QString::number(password), QStringLiteral("----------")};
    head.resize(kEnrolmentSize, 0);
    for (const qint32 value : head)
        lines << QString::number(value);
    return lines;
}

QByteArray crlf(const QStringList& lines)
{
    QByteArray text;
    for (const QString& line : lines)
        text += line.toLatin1() + "\r\n";
    return text;
}

class ScratchTools : public testing::Test {
protected:
    ScratchTools()
    {
        terminal.driver.setTimeouts(300, 2000);
        EXPECT_TRUE(terminal.open(cc, Transport::Tcp));
    }

    std::optional<emulator::StoredEnrolment> stored(qint32 user, qint32 enrolment) const
    {
        const emulator::TerminalState state(terminal.folder.file("state"));
        const emulator::StoredEnrolment* found = state.enrolments().find({user, enrolment});
        return found ? std::optional(*found) : std::nullopt;
    }

    LiveTerminal terminal{{}, kUsers};
    ScriptedDialogs dialogs;
    TSBXPC cc;
    QString path = terminal.folder.file("Parmak-1-1.PDT");
};

struct DownloadCase {
    const char* name;
    const char* personelNo;
    const char* parmakNo;
    bool held;
    qint32 user, enrolment, privilege, password;
    QList<qint32> data;
    friend void PrintTo(const DownloadCase& c, std::ostream* os) { *os << c.name; }
};

class Download : public ScratchTools, public testing::WithParamInterface<DownloadCase> {};

// A held enrolment: its size in a message box, then the scratch layout; one
// the terminal does not hold: no message and an empty file.
TEST_P(Download, SavesTheEnrolmentInTheScratchLayout)
{
    const DownloadCase& c = GetParam();
    ASSERT_TRUE(cc.SetDeviceEnabled(scratch::kMachine, 0));
    const QStringList lines = scratch::download(cc, c.personelNo, c.parmakNo, path);
    const QStringList expected =
        c.held ? scratchLines(c.user, c.enrolment, c.privilege, c.password, c.data) : QStringList{};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(terminal.folder.read("Parmak-1-1.PDT"), crlf(expected));
    EXPECT_EQ(dialogs.messages, c.held ? QStringList{"354"} : QStringList{});
    EXPECT_TRUE(terminal.state().settings().keypadEnabled);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Download,
    testing::Values(
        DownloadCase{"HeldFinger", "7", "3", true, 7, 2, 3, 1111, {-2147483647 - 1, 1, 2, 3}},
        DownloadCase{"MissingEnrolment", "7", "2", false, 0, 0, 0, 0, {}},
        DownloadCase{"MissingUser", "8", "3", false, 0, 0, 0, 0, {}},
        DownloadCase{"NonNumericUserIs999999", "abc", "1", true, 999999, 0, 1, 5, {9, 8}},
        DownloadCase{"NonNumericFingerMatchesNothing", "7", "x", false, 0, 0, 0, 0, {}}),
    tavlo::test::CaseName{});

// The user comes from "Personel No", not from the file's first line.
TEST_F(ScratchTools, DownloadThenUploadWritesTheSameEnrolmentToTheTypedUser)
{
    scratch::download(cc, "7", "3", path);
    const QStringList rest = scratch::upload(cc, "42", path);
    EXPECT_EQ(rest, scratchLines(7, 2, 3, 1111, {-2147483647 - 1, 1, 2, 3}).mid(5));
    const auto copy = stored(42, 2);
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(copy->privilege, 3);
    EXPECT_EQ(copy->password, 1111);
    EXPECT_EQ(copy->data[0], -2147483647 - 1);
    EXPECT_EQ(copy->data[3], 3);
    EXPECT_EQ(stored(7, 2)->data[1], 1);
}

struct UploadCase {
    const char* name;
    const char* personelNo;
    qint32 user;
    int values;  // data lines in the file
    friend void PrintTo(const UploadCase& c, std::ostream* os) { *os << c.name; }
};

class Upload : public ScratchTools, public testing::WithParamInterface<UploadCase> {};

// Missing elements are 0 and lines after the 359th are ignored.
TEST_P(Upload, TakesElementsFromLinesSixTo359)
{
    const UploadCase& c = GetParam();
    QStringList lines{"77", "4", "2", "99", "----------"};
    for (int i = 0; i < c.values; ++i)
        lines << QString::number(i + 1);
    terminal.folder.write("Parmak-1-1.PDT", crlf(lines));
    ASSERT_TRUE(cc.SetDeviceEnabled(scratch::kMachine, 0));
    scratch::upload(cc, c.personelNo, path);
    const auto written = stored(c.user, 4);
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(written->privilege, 2);
    EXPECT_EQ(written->password, 99);
    for (int i = 0; i < kEnrolmentSize; ++i)
        ASSERT_EQ(written->data[i], i < c.values ? i + 1 : 0) << "element " << i;
    EXPECT_FALSE(stored(77, 4).has_value());
    EXPECT_TRUE(terminal.state().settings().keypadEnabled);
}

INSTANTIATE_TEST_SUITE_P(Cases, Upload,
                         testing::Values(UploadCase{"ShortFile", "5", 5, 3},
                                         UploadCase{"LongFile", "5", 5, 400},
                                         UploadCase{"NonNumericUserIsOne", "x", 1, 354}),
                         tavlo::test::CaseName{});

TEST_F(ScratchTools, SilRemovesEveryEnrolmentOfTheUser)
{
    scratch::removeAll(cc, "7");
    EXPECT_FALSE(stored(7, 2).has_value());
    EXPECT_FALSE(stored(7, 11).has_value());
    EXPECT_TRUE(stored(1, 0).has_value());
}

TEST_F(ScratchTools, SilWithNonNumericUserRemovesUserOne)
{
    scratch::removeAll(cc, "bir");
    EXPECT_FALSE(stored(1, 0).has_value());
    EXPECT_FALSE(stored(1, 1).has_value());
    EXPECT_TRUE(stored(7, 2).has_value());
}

// A file that cannot be written or read ends the tool with the system's
// message; the terminal keeps what it had and its keypad is on.
TEST_F(ScratchTools, AnUnwritableFileRaisesAndLeavesTheKeypadOn)
{
    ASSERT_TRUE(cc.SetDeviceEnabled(scratch::kMachine, 0));
    const QString nowhere = terminal.folder.file("no-such-folder/Parmak-1-1.PDT");
    EXPECT_THROW(scratch::download(cc, "7", "3", nowhere), Error);
    EXPECT_TRUE(terminal.state().settings().keypadEnabled);
}

TEST_F(ScratchTools, AnUnreadableFileRaisesAndWritesNothing)
{
    try {
        scratch::upload(cc, "42", terminal.folder.file("missing.PDT"));
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains("missing.PDT")) << e.message().toStdString();
    }
    EXPECT_EQ(terminal.state().enrolments().entries().size(), 5u);
}

struct RaiseCase {
    const char* name;
    qint32 dispid;
    bool upload;
    friend void PrintTo(const RaiseCase& c, std::ostream* os) { *os << c.name; }
};

class ToolRaising : public ScratchTools, public testing::WithParamInterface<RaiseCase> {};

// A call that raises ends the tool with its error, and the keypad is on.
TEST_P(ToolRaising, LeavesTheKeypadOn)
{
    const RaiseCase& c = GetParam();
    scratch::download(cc, "7", "3", path);
    const RaisingControl raising(c.dispid);
    TSBXPC raisingCc;
    ASSERT_TRUE(terminal.open(raisingCc, Transport::Tcp));
    ASSERT_TRUE(raisingCc.SetDeviceEnabled(scratch::kMachine, 0));
    if (c.upload)
        EXPECT_THROW(scratch::upload(raisingCc, "42", path), Error);
    else
        EXPECT_THROW(scratch::download(raisingCc, "7", "3", path), Error);
    EXPECT_TRUE(terminal.state().settings().keypadEnabled);
}

INSTANTIATE_TEST_SUITE_P(Cases, ToolRaising,
                         testing::Values(RaiseCase{"WritingTheEnrolment", SBXPC_WRITE_ENROLMENT, true},
                                         RaiseCase{"ReadingTheEnrolment", SBXPC_READ_ENROLMENT, false}),
                         tavlo::test::CaseName{});

struct ConnectCase {
    const char* name;
    qint32 connectionType;
    bool reachable;
    friend void PrintTo(const ConnectCase& c, std::ostream* os) { *os << c.name; }
};

class Connect : public ScratchTools, public testing::WithParamInterface<ConnectCase> {};

// Always Ethernet, whatever the row's connection type.
TEST_P(Connect, LinksToTheCurrentRowOverEthernet)
{
    const ConnectCase& c = GetParam();
    RefusingPort refusing;
    TDataModul data;
    data.CihazTable.open();
    Table& t = data.CihazTable;
    t.append();
    t.set(Cihaz::BaglantiTipi, c.connectionType);
    t.set(Cihaz::MakineNo, LiveTerminal::kMachine);
    t.set(Cihaz::IPAdres, "127.0.0.1");
    t.set(Cihaz::Port, c.reachable ? terminal.emulator->port() : refusing.port());
    t.set(Cihaz::Parola, QString::number(LiveTerminal::kPassword));
    t.post();
    TSBXPC own;
    EXPECT_EQ(scratch::connect(own, t), c.reachable);
    qint32 value = 0;
    EXPECT_EQ(own.GetStatusValue(1, 8, value), c.reachable) << "the link is left open";
}

INSTANTIATE_TEST_SUITE_P(Cases, Connect,
                         testing::Values(ConnectCase{"EthernetRow", 1, true},
                                         ConnectCase{"SerialRow", 2, true},
                                         ConnectCase{"UnknownType", 0, true},
                                         ConnectCase{"NothingListens", 1, false}),
                         tavlo::test::CaseName{});

}  // namespace
}  // namespace tavlo::test
