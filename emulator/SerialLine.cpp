#include "emulator/SerialLine.h"

#include "platform/Error.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace tavlo::emulator {

namespace {

// Bytes the terminal keeps for a PC that does not read; older answers past
// this are of no use to anyone.
constexpr qsizetype kMaxOutgoing = 1 << 20;

speed_t speedOf(int baud)
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

}  // namespace

SerialLine::SerialLine(TerminalService& service, int baud, int slowMs, const QString& linkPath,
                       QObject* parent)
    : LinkEndpoint(service, protocol::FrameReader::Mode::Resync, slowMs, parent),
      baud_(baud),
      linkPath_(linkPath)
{
    session().serial = true;
    if (speedOf(baud) == B0)
        throw Error(QStringLiteral("Unsupported baud rate %1.").arg(baud));
    char name[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    cfsetispeed(&raw, B9600);
    cfsetospeed(&raw, B9600);
    if (::openpty(&master_, &slave_, name, &raw, nullptr) != 0)
        throw Error(QStringLiteral("Cannot create a pseudo-terminal: %1").arg(qt_error_string(errno)));
    devicePath_ = QString::fromLocal8Bit(name);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
    if (!linkPath_.isEmpty()) {
        QFile::remove(linkPath_);
        if (!QFile::link(devicePath_, linkPath_))
            throw Error(QStringLiteral("Cannot create the link \"%1\".").arg(linkPath_));
    }
    readable_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    connect(readable_.get(), &QSocketNotifier::activated, this, &SerialLine::readMaster);
    writable_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Write);
    writable_->setEnabled(false);
    connect(writable_.get(), &QSocketNotifier::activated, this, &SerialLine::flush);
}

SerialLine::~SerialLine()
{
    readable_.reset();
    writable_.reset();
    if (!linkPath_.isEmpty())
        QFile::remove(linkPath_);
    ::close(master_);
    ::close(slave_);
}

bool SerialLine::hears() const
{
    termios now{};
    if (::tcgetattr(slave_, &now) != 0)
        return false;
    return cfgetispeed(&now) == speedOf(baud_);
}

void SerialLine::readMaster()
{
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n > 0) {
            receive(QByteArray(buffer, n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break;
    }
}

void SerialLine::send(const QByteArray& bytes)
{
    if (outgoing_.size() + bytes.size() > kMaxOutgoing)
        outgoing_.clear();
    outgoing_ += bytes;
    flush();
}

void SerialLine::flush()
{
    while (!outgoing_.isEmpty()) {
        const ssize_t n = ::write(master_, outgoing_.constData(), static_cast<size_t>(outgoing_.size()));
        if (n > 0) {
            outgoing_.remove(0, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break;
    }
    writable_->setEnabled(!outgoing_.isEmpty());
}

// A serial line has no connection to end: the link ends, the line stays, and
// the next Hello opens a new link.
void SerialLine::endLink()
{
    session() = session().fresh();
    restartReader();
}

}  // namespace tavlo::emulator
