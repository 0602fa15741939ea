#pragma once

#include "sdk/protocol/Messages.h"

#include <cstdint>
#include <map>
#include <optional>
#include <utility>

namespace tavlo::emulator {

// What the terminal remembers about one link.
struct Session {
    struct LogRead {
        std::uint32_t first = 0;
        std::uint32_t cursor = 0;
        std::uint32_t end = 0;
        std::uint64_t generation = 0;  // of the log; a clear makes older reads void
    };

    // A serial line has no password: whoever holds the cable holds the
    // terminal. Kept when the session starts over.
    bool serial = false;
    bool linked = false;
    std::optional<LogRead> logRead;
    bool userRead = false;
    std::optional<std::pair<std::int32_t, std::int32_t>> lastUser;  // last entry handed out
    std::uint64_t recordsSent = 0;
    std::map<protocol::Op, std::uint64_t> requestsOf;  // of the operations made to fail
    bool stalled = false;

    // The session of the next link on the same line or connection.
    Session fresh() const
    {
        Session next;
        next.serial = serial;
        return next;
    }
};

}  // namespace tavlo::emulator
