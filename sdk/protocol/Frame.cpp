#include "sdk/protocol/Frame.h"

#include "sdk/protocol/Crc32.h"
#include "sdk/protocol/WireWriter.h"

namespace tavlo::protocol {

std::vector<std::uint8_t> encodeFrame(const Frame& frame)
{
    const std::size_t length = frame.payload.size() <= kMaxPayload ? frame.payload.size() : 0;
    WireWriter out;
    out.u8(kMagic0);
    out.u8(kMagic1);
    out.u8(kProtocolVersion);
    out.u8(frame.kind);
    out.u16(frame.sequence);
    out.u32(static_cast<std::uint32_t>(length));
    out.raw(std::span(frame.payload.data(), length));
    std::vector<std::uint8_t> bytes = out.take();
    const std::uint32_t crc = crc32(bytes);
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<std::uint8_t>(crc >> shift));
    return bytes;
}

}  // namespace tavlo::protocol
