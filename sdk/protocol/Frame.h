#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavlo::protocol {

// One frame on the wire, all values little-endian:
//
//   offset  size  field
//   0       2     magic "SX"
//   2       1     protocol version (kProtocolVersion)
//   3       1     kind: an operation code; replies have bit 7 set
//   4       2     sequence number; a reply repeats its request's
//   6       4     payload length, at most kMaxPayload
//   10      n     payload
//   10+n    4     CRC-32 of the header and the payload
inline constexpr std::uint8_t kMagic0 = 'S';
inline constexpr std::uint8_t kMagic1 = 'X';
inline constexpr std::uint8_t kProtocolVersion = 1;
inline constexpr std::uint8_t kReplyFlag = 0x80;
inline constexpr std::size_t kHeaderSize = 10;
inline constexpr std::size_t kChecksumSize = 4;
inline constexpr std::size_t kMaxPayload = 60 * 1024;
inline constexpr std::size_t kMaxFrameSize = kHeaderSize + kMaxPayload + kChecksumSize;

struct Frame {
    std::uint8_t kind = 0;
    std::uint16_t sequence = 0;
    std::vector<std::uint8_t> payload;
};

// The bytes of a frame. A payload longer than kMaxPayload is a programming
// error of the sender; it is cut to nothing so that no oversized frame leaves.
std::vector<std::uint8_t> encodeFrame(const Frame& frame);

}  // namespace tavlo::protocol
