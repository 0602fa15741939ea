#include "tests/support/CaseName.h"
#include "tests/support/RefusingPort.h"
#include "tests/terminal/LiveTerminal.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tavlo::test {
namespace {

// Ten records of users 1 to 10.
QByteArray tenRecords()
{
    QByteArray text = "user\tmode\tyear\tmonth\tday\thour\tminute\tsecond\n";
    for (int u = 1; u <= 10; ++u)
        text += QByteArray::number(u) + "\t0\t2024\t5\t" + QByteArray::number(u) + "\t9\t0\t0\n";
    return text;
}

// Reads up to `limit` records; returns their user numbers.
std::vector<qint32> readUsers(TSBXPC& cc, int limit = 1000)
{
    std::vector<qint32> users;
    qint32 v[10];
    while (static_cast<int>(users.size()) < limit
           && cc.NextLogRecord(1, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9]))
        users.push_back(v[1]);
    return users;
}

std::vector<qint32> range(qint32 first, qint32 last)
{
    std::vector<qint32> r;
    for (qint32 i = first; i <= last; ++i)
        r.push_back(i);
    return r;
}

// A loopback socket that listens and never answers: the kernel completes the
// connections, nobody reads them. With `backlog` 0 and the queue filled, the
// port takes no further connection at all, as an address that never answers.
class SilentListener {
public:
    explicit SilentListener(bool fillQueue)
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof a;
        if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&a), size) != 0
            || ::listen(fd_, fillQueue ? 0 : 8) != 0
            || ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &size) != 0)
            throw std::runtime_error("cannot listen");
        port_ = ntohs(a.sin_port);
        for (int i = 0; fillQueue && i < 4; ++i) {
            const int c = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
            ::connect(c, reinterpret_cast<sockaddr*>(&a), sizeof a);
            clients_.push_back(c);
        }
    }
    ~SilentListener()
    {
        for (int c : clients_)
            ::close(c);
        ::close(fd_);
    }
    quint16 port() const { return port_; }

private:
    int fd_ = -1;
    quint16 port_ = 0;
    std::vector<int> clients_;
};

struct RefusalCase {
    const char* name;
    Transport transport;
    qint32 machine;
    qint32 password;
    QStringList faults;
    friend void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }
};

class RefusedLink : public testing::TestWithParam<RefusalCase> {};

TEST_P(RefusedLink, IsNotOpenedAndNothingWorksOnIt)
{
    LiveTerminal terminal(tenRecords(), {}, GetParam().faults);
    TSBXPC cc;
    const bool linked = GetParam().transport == Transport::Tcp
                            ? cc.OpenTcpLink(GetParam().machine, "127.0.0.1", terminal.emulator->port(),
                                             GetParam().password)
                            : cc.OpenSerialLink(GetParam().machine, LiveTerminal::kSerialPort, 115200);
    EXPECT_FALSE(linked);
    qint32 v = -1;
    EXPECT_FALSE(cc.GetStatusValue(GetParam().machine, 8, v));
    EXPECT_FALSE(cc.ClearLogs(GetParam().machine));
    cc.CloseLink();
    EXPECT_EQ(terminal.state().records().count(), 10u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedLink,
    testing::Values(RefusalCase{"WrongPassword", Transport::Tcp, 1, 4320, {}},
                    RefusalCase{"WrongMachine", Transport::Tcp, 2, LiveTerminal::kPassword, {}},
                    RefusalCase{"SerialWrongMachine", Transport::Serial, 2, 0, {}},
                    RefusalCase{"TerminalRefusesLinks", Transport::Tcp, 1, LiveTerminal::kPassword, {"--refuse"}},
                    RefusalCase{"SerialTerminalRefusesLinks", Transport::Serial, 1, 0, {"--refuse"}}),
    tavlo::test::CaseName{});

TEST(LinkFailure, NothingListening)
{
    UserFolders user;
    user.registerControl();
    DriverSettings driver(300, 300);
    TSBXPC cc;
    const RefusingPort nothingListens;
    EXPECT_FALSE(cc.OpenTcpLink(1, "127.0.0.1", nothingListens.port(), 0));
}

struct SilenceCase {
    const char* name;
    bool fillQueue;
    friend void PrintTo(const SilenceCase& c, std::ostream* os) { *os << c.name; }
};

class SilentAddress : public testing::TestWithParam<SilenceCase> {};

// With 300 ms time-outs the open must give up within a few seconds.
TEST_P(SilentAddress, GivesUpWithinTheTimeOut)
{
    UserFolders user;
    user.registerControl();
    DriverSettings driver(300, 300);
    const SilentListener listener(GetParam().fillQueue);
    TSBXPC cc;
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(cc.OpenTcpLink(1, "127.0.0.1", listener.port(), 0));
    EXPECT_LT(clock.elapsed(), 3000);
}

INSTANTIATE_TEST_SUITE_P(Cases, SilentAddress,
                         testing::Values(SilenceCase{"ConnectsButNeverAnswers", false},
                                         SilenceCase{"NeverConnects", true}),
                         tavlo::test::CaseName{});

struct SerialFailureCase {
    const char* name;
    qint32 port;
    qint32 baud;
    friend void PrintTo(const SerialFailureCase& c, std::ostream* os) { *os << c.name; }
};

class SerialFailure : public testing::TestWithParam<SerialFailureCase> {};

TEST_P(SerialFailure, OpensNoLink)
{
    LiveTerminal terminal(tenRecords());
    terminal.driver.setTimeouts(300, 300);
    terminal.driver.mapSerialPort(5, terminal.folder.file("no-such-device"));
    TSBXPC cc;
    EXPECT_FALSE(cc.OpenSerialLink(1, GetParam().port, GetParam().baud));
    EXPECT_TRUE(cc.OpenSerialLink(1, LiveTerminal::kSerialPort, 115200)) << "the line itself works";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SerialFailure,
    testing::Values(SerialFailureCase{"TerminalAtAnotherSpeed", LiveTerminal::kSerialPort, 9600},
                    SerialFailureCase{"UnsupportedSpeed", LiveTerminal::kSerialPort, 12345},
                    SerialFailureCase{"NoDevice", 5, 115200},
                    SerialFailureCase{"NegativePort", -1, 115200}),
    tavlo::test::CaseName{});

class BrokenRead : public testing::TestWithParam<Transport> {};

TEST_P(BrokenRead, ALinkDroppedMidReadConfirmsNothing)
{
    LiveTerminal terminal(tenRecords(), {}, {"--drop-after", "3"});
    terminal.driver.setTimeouts(300, 500);
    TSBXPC cc;
    ASSERT_TRUE(terminal.open(cc, GetParam()));
    cc.SetReadMark(true);
    ASSERT_TRUE(cc.BeginLogRead(1));
    EXPECT_EQ(readUsers(cc), range(1, 3));
    EXPECT_FALSE(cc.LastLogReadComplete());
    qint32 v = -1;
    EXPECT_FALSE(cc.GetStatusValue(1, 6, v)) << "the link is gone";
    cc.CloseLink();

    terminal.emulator->restart({});
    ASSERT_TRUE(terminal.open(cc, GetParam()));
    EXPECT_TRUE(cc.GetStatusValue(1, 6, v));
    EXPECT_EQ(v, 10);
    ASSERT_TRUE(cc.BeginLogRead(1));
    EXPECT_EQ(readUsers(cc), range(1, 10));
    EXPECT_TRUE(cc.LastLogReadComplete());
    cc.CloseLink();
}

TEST_P(BrokenRead, ATerminalThatStopsAnsweringEndsTheRead)
{
    LiveTerminal terminal(tenRecords(), {}, {"--stall-after", "2"});
    terminal.driver.setTimeouts(300, 300);
    TSBXPC cc;
    ASSERT_TRUE(terminal.open(cc, GetParam()));
    cc.SetReadMark(true);
    ASSERT_TRUE(cc.BeginLogRead(1));
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(readUsers(cc), range(1, 2));
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_FALSE(cc.LastLogReadComplete());
    cc.CloseLink();
    EXPECT_EQ(terminal.state().confirmed(), 0u);
}

TEST_P(BrokenRead, TheReadMarkHoldsAcrossARestart)
{
    LiveTerminal terminal(tenRecords());
    TSBXPC cc;
    cc.SetReadMark(true);
    ASSERT_TRUE(terminal.open(cc, GetParam()));
    ASSERT_TRUE(cc.BeginLogRead(1));
    EXPECT_EQ(readUsers(cc, 4), range(1, 4));
    cc.CloseLink();  // confirmed: 1 to 4

    ASSERT_TRUE(terminal.open(cc, GetParam()));
    ASSERT_TRUE(cc.BeginLogRead(1));
    EXPECT_EQ(readUsers(cc, 3), range(5, 7));
    cc.DropLink();  // delivered, not confirmed: 5 to 7

    ASSERT_TRUE(terminal.open(cc, GetParam()));
    ASSERT_TRUE(cc.BeginLogRead(1));
    EXPECT_EQ(readUsers(cc, 2), range(5, 6));
    // Opening again on a link with a read in progress confirms nothing.
    ASSERT_TRUE(terminal.open(cc, GetParam()));
    cc.CloseLink();

    terminal.emulator->restart({});
    ASSERT_TRUE(terminal.open(cc, GetParam()));
    ASSERT_TRUE(cc.BeginLogRead(1));
    EXPECT_EQ(readUsers(cc), range(5, 10));
    cc.CloseLink();
}

TEST_P(BrokenRead, ASlowTerminalStillAnswersWithinTheTimeOut)
{
    LiveTerminal terminal(tenRecords(), {}, {"--slow", "40"});
    TSBXPC cc;
    ASSERT_TRUE(terminal.open(cc, GetParam()));
    qint32 v = -1;
    EXPECT_TRUE(cc.GetStatusValue(1, 8, v));
    EXPECT_EQ(v, 10);
    ASSERT_TRUE(cc.BeginLogRead(1));
    EXPECT_EQ(readUsers(cc), range(1, 10));
    cc.CloseLink();
}

INSTANTIATE_TEST_SUITE_P(Links, BrokenRead, testing::Values(Transport::Tcp, Transport::Serial),
                         [](const auto& info) {
                             return std::string(info.param == Transport::Tcp ? "Tcp" : "Serial");
                         });

}  // namespace
}  // namespace tavlo::test
