#pragma once

#include <cstdint>
#include <optional>

namespace tavlo::emulator {

// Misbehaviour on purpose, so that the PC's handling of a bad terminal can be
// tried without one.
struct Faults {
    std::optional<std::uint64_t> dropAfter;   // end the link after this many records of a link
    std::optional<std::uint64_t> stallAfter;  // stop answering after this many records of a link
    int slowMs = 0;                           // delay before every answer
    bool refuse = false;                      // refuse every link
    // The message that ends a link and confirms its read never arrives: the
    // link closes without an answer (lose) or stays open without one (hold,
    // so that the PC waits its whole reply time), and the mark stays.
    bool loseConfirmation = false;
    bool holdConfirmation = false;
};

}  // namespace tavlo::emulator
