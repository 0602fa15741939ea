#include "tests/support/RefusingPort.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace tavlo::test {

RefusingPort::RefusingPort()
{
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&address), size) != 0
        || ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        if (fd_ >= 0)
            ::close(fd_);
        throw std::runtime_error("cannot bind a loopback port");
    }
    port_ = ntohs(address.sin_port);
}

RefusingPort::~RefusingPort()
{
    ::close(fd_);
}

}  // namespace tavlo::test
