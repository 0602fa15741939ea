#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tavlo::protocol {

// Reads little-endian values from a payload. Reading past the end does not
// fail at once: it yields zeros and marks the reader as failed, so a decoder
// reads a whole message and checks ok() once at the end.
class WireReader {
public:
    explicit WireReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint8_t u8()
    {
        if (pos_ >= bytes_.size()) {
            failed_ = true;
            return 0;
        }
        return bytes_[pos_++];
    }
    std::uint16_t u16()
    {
        const std::uint16_t lo = u8();
        return static_cast<std::uint16_t>(lo | (u8() << 8));
    }
    std::uint32_t u32()
    {
        const std::uint32_t lo = u16();
        return lo | (static_cast<std::uint32_t>(u16()) << 16);
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    // A boolean is 0 or 1; any other byte makes the message invalid.
    bool boolean()
    {
        const std::uint8_t v = u8();
        if (v > 1)
            failed_ = true;
        return v == 1;
    }
    std::span<const std::uint8_t> raw(std::size_t n)
    {
        if (n > remaining()) {
            failed_ = true;
            pos_ = bytes_.size();
            return {};
        }
        auto piece = bytes_.subspan(pos_, n);
        pos_ += n;
        return piece;
    }

    std::size_t remaining() const { return bytes_.size() - pos_; }
    void fail() { failed_ = true; }
    // True when every read stayed inside the payload and nothing is left over.
    bool complete() const { return !failed_ && pos_ == bytes_.size(); }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

}  // namespace tavlo::protocol
