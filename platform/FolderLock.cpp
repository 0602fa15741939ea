#include "platform/FolderLock.h"

#include "platform/Error.h"

#include <QFile>

#include <cerrno>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tavlo {

std::optional<FolderLock> FolderLock::acquire(const QString& path, std::chrono::milliseconds wait)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        throw Error(QStringLiteral("Cannot open file \"%1\". %2").arg(path, qt_error_string(errno)));
    FolderLock lock(fd);
    const auto deadline = std::chrono::steady_clock::now() + wait;
    constexpr auto kRetry = std::chrono::milliseconds(50);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return lock;
        if (errno != EWOULDBLOCK && errno != EINTR)
            throw Error(QStringLiteral("Cannot lock file \"%1\". %2").arg(path, qt_error_string(errno)));
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(kRetry, deadline - now));
    }
}

FolderLock::FolderLock(FolderLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

FolderLock::~FolderLock()
{
    // Closing the last descriptor of the file lets the lock go.
    if (fd_ >= 0)
        ::close(fd_);
}

}  // namespace tavlo
