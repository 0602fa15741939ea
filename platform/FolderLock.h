#pragma once

#include <QString>

#include <chrono>
#include <optional>

namespace tavlo {

// Holds a lock on one file for as long as it lives, so that two programs
// working on the same folder take turns. The operating system drops the lock
// when the program ends, however it ends: a killed program never leaves the
// folder locked. The lock file itself stays and holds nothing.
class FolderLock {
public:
    // Takes the lock on `path` (created when missing), waiting at most
    // `wait` for another holder to let go. Nothing when it is still held
    // then; a file that cannot be opened raises Error.
    static std::optional<FolderLock> acquire(const QString& path,
                                             std::chrono::milliseconds wait = std::chrono::milliseconds(0));

    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&& other) noexcept;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    ~FolderLock();

private:
    explicit FolderLock(int fd) : fd_(fd) {}
    int fd_ = -1;
};

}  // namespace tavlo
