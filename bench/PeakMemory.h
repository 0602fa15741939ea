#pragma once

#include <QtGlobal>

namespace tavlo::bench {

// The resident memory of this process as the kernel counts it: the peak
// since the last reset (VmHWM) and the present size (VmRSS), in KiB. Other
// processes, such as the terminal emulator, are not counted.
class PeakMemory {
public:
    // Starts a new peak at the present size; false when the kernel does not
    // allow it, so that the peak counts from the process's start.
    static bool reset();
    static qint64 peakKiB();
    static qint64 residentKiB();
};

}  // namespace tavlo::bench
