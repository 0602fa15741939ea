#pragma once

#include <cstdint>
#include <span>

namespace tavlo::protocol {

// CRC-32 (IEEE 802.3, reflected, as zlib computes it). Pass the previous
// result as `crc` to continue a checksum over several pieces.
std::uint32_t crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0);

}  // namespace tavlo::protocol
