#pragma once

#include <QDateTime>

namespace tavlo {

// The PC's clock. The program reads the local date and time only through
// it, so that tests set the time they need instead of waiting for it.
class Clock {
public:
    virtual ~Clock() = default;

    // The PC's local date and time now.
    virtual QDateTime now() const = 0;
};

// The process-wide clock: the system's own until another is installed.
Clock& pcClock();
// Installs a clock for the process (not owned); nullptr restores the system's.
void installPcClock(Clock* clock);

}  // namespace tavlo
