#pragma once

#include <QString>

namespace tavlo::bench {

// The least a run could cost: the plain moves of its bytes, timed in seconds.
class Floor {
public:
    // Writes `bytes` bytes to a new file in `folder` in pieces of 1 MiB and
    // syncs it to the disk, as often as `files` says (the run syncs the
    // movement file and the backup file each once); the files are removed.
    static double writeFiles(const QString& folder, qint64 bytes, int files);
    // Sends `bytes` bytes from one thread to another over a loopback TCP
    // connection and returns when the last has arrived.
    static double loopback(qint64 bytes);
    // Reads a file once from start to end in pieces of 1 MiB.
    static double readFile(const QString& path);
};

}  // namespace tavlo::bench
