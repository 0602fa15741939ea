#pragma once

#include "sdk/protocol/Messages.h"

#include <cstdint>
#include <optional>

namespace tavlo::emulator {

// Seconds since 1970-01-01 00:00 of a civil (wall-clock) date and time, with
// no time zone: the terminal keeps local time and only ever subtracts two
// such values. Nothing for a date that does not exist.
std::optional<std::int64_t> civilSeconds(const protocol::ClockTime& time);
protocol::ClockTime civilTime(std::int64_t seconds);
// 1 Monday .. 7 Sunday.
std::int32_t isoWeekday(std::int64_t seconds);

// The host's local wall clock now, as civil seconds.
std::int64_t localNow();

}  // namespace tavlo::emulator
