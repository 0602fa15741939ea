#pragma once

#include "sdk/protocol/Messages.h"

#include <QFile>
#include <QString>

#include <cstdint>
#include <vector>

namespace tavlo::emulator {

// The terminal's attendance log: a file of fixed-size records after a short
// header, so that any stretch of a log of hundreds of thousands of records is
// read without loading the rest. A record torn by a crash while it was being
// appended is not counted.
class RecordFile {
public:
    explicit RecordFile(const QString& path);

    std::uint32_t count() const { return count_; }
    std::vector<protocol::LogRecord> read(std::uint32_t first, std::uint32_t n);
    void append(const std::vector<protocol::LogRecord>& records);
    void clear();

    static constexpr std::uint32_t kMaxRecords = 10'000'000;

private:
    void open();

    QString path_;
    QFile file_;
    std::uint32_t count_ = 0;
};

}  // namespace tavlo::emulator
