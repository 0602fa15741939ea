#pragma once

#include <csignal>
#include <stdexcept>
#include <sys/resource.h>

namespace tavlo::test {

// Lets no file of this process grow beyond `bytes` for the scope's lifetime,
// as a full disk would: a write that passes the limit writes what fits and
// the next fails. The signal the kernel sends for it is ignored meanwhile.
// Processes started before the scope are not affected.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        if (::getrlimit(RLIMIT_FSIZE, &previous_) != 0)
            throw std::runtime_error("cannot read the file size limit");
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        if (::setrlimit(RLIMIT_FSIZE, &limited) != 0)
            throw std::runtime_error("cannot limit the file size");
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = SIG_DFL;
};

}  // namespace tavlo::test
