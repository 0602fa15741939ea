#include "sdk/include/sbxpc/SbpcComm.h"

#include "sdk/comm/DriverConfig.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

struct sbc_channel {
    int fd = -1;
    bool serial = false;
};

namespace {

using Clock = std::chrono::steady_clock;

int remainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return static_cast<int>(std::max<long long>(0, left.count()));
}

// Waits for the descriptor until the deadline; false on time-out or failure.
bool waitFor(int fd, short events, Clock::time_point deadline)
{
    for (;;) {
        pollfd p{fd, events, 0};
        const int n = ::poll(&p, 1, remainingMs(deadline));
        if (n > 0)
            return true;
        if (n == 0)
            return false;
        if (errno != EINTR)
            return false;
    }
}

speed_t speedOf(int32_t baud)
{
    switch (baud) {
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return B0;
    }
}

std::string firstUsbSerialDevice()
{
    for (const char* prefix : {"ttyUSB", "ttyACM"}) {
        std::vector<std::string> found;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator("/dev", error)) {
            const std::string name = entry.path().filename().string();
            if (name.rfind(prefix, 0) == 0)
                found.push_back(entry.path().string());
        }
        // ttyUSB2 before ttyUSB10
        std::sort(found.begin(), found.end(), [](const std::string& a, const std::string& b) {
            return a.size() != b.size() ? a.size() < b.size() : a < b;
        });
        if (!found.empty())
            return found.front();
    }
    return {};
}

std::string serialDevice(int32_t port)
{
    const tavlo::comm::DriverConfig config = tavlo::comm::DriverConfig::load();
    if (const auto it = config.serialPorts.find(port); it != config.serialPorts.end())
        return it->second;
    if (port >= 1)
        return "/dev/ttyS" + std::to_string(port - 1);
    if (port == 0)
        return firstUsbSerialDevice();
    return {};
}

}  // namespace

void sbc_read_timeouts(sbc_timeouts* out)
{
    if (!out)
        return;
    const tavlo::comm::DriverConfig config = tavlo::comm::DriverConfig::load();
    out->connect_ms = config.connectMs;
    out->reply_ms = config.replyMs;
}

size_t sbc_serial_device(int32_t port, char* out, size_t capacity)
{
    const std::string device = serialDevice(port);
    if (out && capacity > 0) {
        const size_t n = std::min(device.size(), capacity - 1);
        device.copy(out, n);
        out[n] = 0;
    }
    return device.size();
}

sbc_channel* sbc_open_tcp(const char* host, int32_t port, int32_t connect_ms)
{
    if (!host || port < 1 || port > 65535)
        return nullptr;
    // The configuration may send an address elsewhere (a fixed address
    // that tests and demos must reach on this machine instead).
    const tavlo::comm::DriverConfig::Route route = tavlo::comm::DriverConfig::load().routeOf(host, port);
    const std::string name = route.host == "localhost" ? "127.0.0.1" : route.host;
    port = route.port;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;  // no name look-up: it could wait unbounded
    addrinfo* found = nullptr;
    if (::getaddrinfo(name.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 || !found)
        return nullptr;
    const int fd = ::socket(found->ai_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        ::freeaddrinfo(found);
        return nullptr;
    }
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(connect_ms, 1));
    int result = ::connect(fd, found->ai_addr, found->ai_addrlen);
    ::freeaddrinfo(found);
    if (result != 0 && errno == EINPROGRESS) {
        int error = ETIMEDOUT;
        if (waitFor(fd, POLLOUT, deadline)) {
            socklen_t size = sizeof error;
            ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size);
        }
        result = error == 0 ? 0 : -1;
    }
    if (result != 0) {
        ::close(fd);
        return nullptr;
    }
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return std::make_unique<sbc_channel>(sbc_channel{fd, false}).release();
}

sbc_channel* sbc_open_serial(int32_t port, int32_t baud)
{
    const speed_t speed = speedOf(baud);
    const std::string device = serialDevice(port);
    if (speed == B0 || device.empty())
        return nullptr;
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        ::close(fd);
        return nullptr;
    }
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    ::cfsetispeed(&tio, speed);
    ::cfsetospeed(&tio, speed);
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
        ::close(fd);
        return nullptr;
    }
    ::tcflush(fd, TCIOFLUSH);
    return std::make_unique<sbc_channel>(sbc_channel{fd, true}).release();
}

int sbc_is_serial(const sbc_channel* channel)
{
    return channel && channel->serial ? 1 : 0;
}

int sbc_send(sbc_channel* channel, const void* bytes, size_t n, int32_t timeout_ms)
{
    if (!channel || channel->fd < 0)
        return -1;
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeout_ms, 1));
    const auto* p = static_cast<const char*>(bytes);
    while (n > 0) {
        const ssize_t sent = channel->serial ? ::write(channel->fd, p, n)
                                             : ::send(channel->fd, p, n, MSG_NOSIGNAL);
        if (sent > 0) {
            p += sent;
            n -= static_cast<size_t>(sent);
            continue;
        }
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && waitFor(channel->fd, POLLOUT, deadline))
            continue;
        return -1;
    }
    return 0;
}

long sbc_receive(sbc_channel* channel, void* buffer, size_t capacity, int32_t timeout_ms)
{
    if (!channel || channel->fd < 0)
        return -1;
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeout_ms, 0));
    for (;;) {
        const ssize_t n = ::read(channel->fd, buffer, capacity);
        if (n > 0)
            return static_cast<long>(n);
        if (n == 0)
            return -1;  // the peer closed the connection, or the line hung up
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            return -1;
        if (!waitFor(channel->fd, POLLIN, deadline))
            return 0;
    }
}

void sbc_close(sbc_channel* channel)
{
    const std::unique_ptr<sbc_channel> owned(channel);
    if (owned && owned->fd >= 0)
        ::close(owned->fd);
}
