#include "sdk/include/sbxpc/SbpcComm.h"
#include "tests/emulator/DriverSettings.h"
#include "tests/support/CaseName.h"
#include "tests/support/RefusingPort.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tavlo::test {
namespace {

// A loopback port that takes connections (the kernel completes them while
// nobody accepts), so that a test can see which port a link reached.
class ListeningPort {
public:
    ListeningPort()
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&address), size) != 0
            || ::listen(fd_, 4) != 0
            || ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
            ADD_FAILURE() << "no loopback port to listen on";
        port_ = ntohs(address.sin_port);
    }
    ~ListeningPort()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    ListeningPort(const ListeningPort&) = delete;
    ListeningPort& operator=(const ListeningPort&) = delete;

    int port() const { return port_; }

private:
    int fd_ = -1;
    int port_ = 0;
};

struct RouteCase {
    const char* name;
    const char* key;      // the [Hosts] entry's address
    bool withPort;        // the entry names the port too
    const char* dialled;  // the address the link is opened to
    bool reaches;
    friend void PrintTo(const RouteCase& c, std::ostream* os) { *os << c.name; }
};

class HostRoute : public testing::TestWithParam<RouteCase> {};

// Every address here is a loopback one, so that a route that is not taken
// still sends nothing off this machine: 127.0.0.9 and ::1 have no listener.
TEST_P(HostRoute, SendsALinkToTheMappedAddressAndPort)
{
    const RouteCase& c = GetParam();
    ListeningPort listener;
    RefusingPort refusing;
    DriverSettings settings(1000, 1000);
    const QString target = QStringLiteral("127.0.0.1")
                           + (c.withPort ? QStringLiteral(":%1").arg(listener.port()) : QString());
    settings.mapHost(QString::fromLatin1(c.key), target);
    // Without a port in the entry the link keeps its own.
    const int dialledPort = c.withPort ? refusing.port() : listener.port();
    sbc_channel* channel = sbc_open_tcp(c.dialled, dialledPort, 1000);
    EXPECT_EQ(channel != nullptr, c.reaches);
    if (channel)
        sbc_close(channel);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostRoute,
    testing::Values(RouteCase{"AddressAndPort", "127.0.0.9", true, "127.0.0.9", true},
                    RouteCase{"AddressOnly", "127.0.0.9", false, "127.0.0.9", true},
                    RouteCase{"Ipv6Key", "::1", true, "::1", true},
                    RouteCase{"OtherAddressKeepsItsWay", "127.0.0.9", true, "127.0.0.10", false}),
    tavlo::test::CaseName{});

}  // namespace
}  // namespace tavlo::test
