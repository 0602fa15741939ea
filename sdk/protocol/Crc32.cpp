#include "sdk/protocol/Crc32.h"

#include <array>

namespace tavlo::protocol {

namespace {

// Eight tables, so that eight bytes are folded in at a time ("slicing by
// eight"): table k gives the remainder of a byte followed by k zero bytes.
using Tables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr Tables makeTables()
{
    Tables tables{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        tables[0][i] = c;
    }
    for (std::uint32_t i = 0; i < 256; ++i)
        for (std::size_t k = 1; k < 8; ++k)
            tables[k][i] = (tables[k - 1][i] >> 8) ^ tables[0][tables[k - 1][i] & 0xFFu];
    return tables;
}

constexpr Tables kTables = makeTables();

std::uint32_t littleEndian32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8
         | static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

}  // namespace

std::uint32_t crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc)
{
    crc = ~crc;
    const std::uint8_t* p = bytes.data();
    std::size_t n = bytes.size();
    for (; n >= 8; p += 8, n -= 8) {
        const std::uint32_t low = littleEndian32(p) ^ crc;
        const std::uint32_t high = littleEndian32(p + 4);
        crc = kTables[7][low & 0xFFu] ^ kTables[6][(low >> 8) & 0xFFu]
            ^ kTables[5][(low >> 16) & 0xFFu] ^ kTables[4][low >> 24]
            ^ kTables[3][high & 0xFFu] ^ kTables[2][(high >> 8) & 0xFFu]
            ^ kTables[1][(high >> 16) & 0xFFu] ^ kTables[0][high >> 24];
    }
    for (; n > 0; ++p, --n)
        crc = kTables[0][(crc ^ *p) & 0xFFu] ^ (crc >> 8);
    return ~crc;
}

}  // namespace tavlo::protocol
