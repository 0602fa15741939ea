#include "bench/Floor.h"

#include <QElapsedTimer>
#include <QFile>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace tavlo::bench {
namespace {

constexpr qint64 kPiece = 1 << 20;

// A descriptor closed when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd)
    {
        if (fd_ < 0)
            throw std::runtime_error("cannot open a descriptor");
    }
    ~Descriptor() { ::close(fd_); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

void writeAll(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
        if (n <= 0)
            throw std::runtime_error("cannot write");
        data += n;
        size -= n;
    }
}

}  // namespace

double Floor::writeFiles(const QString& folder, qint64 bytes, int files)
{
    const std::vector<char> piece(kPiece, '7');
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < files; ++i) {
        const QString path = folder + QStringLiteral("/floor-%1.txt").arg(i);
        {
            const Descriptor fd(::open(QFile::encodeName(path).constData(),
                                       O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
            for (qint64 left = bytes / files; left > 0; left -= kPiece)
                writeAll(fd.get(), piece.data(), std::min(left, kPiece));
            if (::fsync(fd.get()) != 0)
                throw std::runtime_error("cannot sync");
        }
        QFile::remove(path);
    }
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

double Floor::loopback(qint64 bytes)
{
    const Descriptor server(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (::bind(server.get(), reinterpret_cast<sockaddr*>(&address), size) != 0
        || ::listen(server.get(), 1) != 0
        || ::getsockname(server.get(), reinterpret_cast<sockaddr*>(&address), &size) != 0)
        throw std::runtime_error("cannot listen on loopback");
    const Descriptor client(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (::connect(client.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        throw std::runtime_error("cannot connect on loopback");
    const Descriptor peer(::accept(server.get(), nullptr, nullptr));

    std::vector<char> buffer(64 * 1024);
    QElapsedTimer timer;
    timer.start();
    std::thread sender([&] {
        const std::vector<char> piece(64 * 1024, '7');
        for (qint64 left = bytes; left > 0; left -= static_cast<qint64>(piece.size()))
            writeAll(peer.get(), piece.data(), std::min<qint64>(left, static_cast<qint64>(piece.size())));
    });
    for (qint64 received = 0; received < bytes;) {
        const ssize_t n = ::read(client.get(), buffer.data(), buffer.size());
        if (n <= 0)
            break;
        received += n;
    }
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    sender.join();
    return seconds;
}

double Floor::readFile(const QString& path)
{
    std::vector<char> piece(kPiece);
    QElapsedTimer timer;
    timer.start();
    const Descriptor fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC));
    while (::read(fd.get(), piece.data(), piece.size()) > 0) {
    }
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

}  // namespace tavlo::bench
