#pragma once

#include "sdk/protocol/Messages.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace tavlo::emulator {

// The TAB-separated attendance text: a header line naming the columns
// `user mode year month day hour minute second` (and optionally `verify`) in
// any order, then one record per line. Any 32-bit integers are taken, so
// records that no real clock makes (month 13, hour 24) can be set up.
// A bad line raises Error naming its line number.
std::vector<protocol::LogRecord> parseRecords(const QByteArray& text, const QString& source);

// N records of made-up people and times, the same on every call, for
// benchmarks and demonstrations.
std::vector<protocol::LogRecord> generateRecords(std::uint32_t first, std::uint32_t n);

}  // namespace tavlo::emulator
