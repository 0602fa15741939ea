#pragma once

#include "sdk/protocol/Frame.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tavlo::protocol {

// Cuts frames out of a byte stream. It never holds more than one frame's
// worth of bytes (kMaxFrameSize): feed() takes only what fits, and the caller
// takes frames out with next() before feeding more.
//
// A stream link (TCP) is strict: the first bad byte ends the stream for good,
// since nothing after it can be trusted. A serial line resynchronises: bad
// bytes are skipped up to the next magic, because line noise and the leftovers
// of an abandoned exchange are normal there.
class FrameReader {
public:
    enum class Mode { Strict, Resync };
    enum class Result { Frame, NeedMore, Broken };
    enum class Fault { None, BadMagic, BadVersion, Oversized, BadChecksum };

    explicit FrameReader(Mode mode) : mode_(mode) { buffer_.reserve(kMaxFrameSize); }

    // Takes as many bytes as fit into the buffer; returns how many it took.
    std::size_t feed(std::span<const std::uint8_t> bytes);
    Result next(Frame& frame);

    // The last fault seen; in strict mode the one that broke the stream.
    Fault lastFault() const { return lastFault_; }
    std::size_t skippedBytes() const { return skipped_; }
    void reset();

private:
    void skipToMagic();

    Mode mode_;
    std::vector<std::uint8_t> buffer_;
    Fault lastFault_ = Fault::None;
    bool broken_ = false;
    std::size_t skipped_ = 0;
};

}  // namespace tavlo::protocol
