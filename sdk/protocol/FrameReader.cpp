#include "sdk/protocol/FrameReader.h"

#include "sdk/protocol/Crc32.h"
#include "sdk/protocol/WireReader.h"

#include <algorithm>

namespace tavlo::protocol {

std::size_t FrameReader::feed(std::span<const std::uint8_t> bytes)
{
    if (broken_)
        return bytes.size();  // a broken stream swallows everything
    const std::size_t room = kMaxFrameSize - buffer_.size();
    const std::size_t taken = std::min(room, bytes.size());
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(taken));
    return taken;
}

void FrameReader::reset()
{
    buffer_.clear();
    broken_ = false;
    lastFault_ = Fault::None;
}

// Drops the first byte and everything up to the next possible frame start.
void FrameReader::skipToMagic()
{
    auto it = buffer_.begin() + 1;
    while (it != buffer_.end()) {
        it = std::find(it, buffer_.end(), kMagic0);
        if (it == buffer_.end() || it + 1 == buffer_.end() || *(it + 1) == kMagic1)
            break;
        ++it;
    }
    skipped_ += static_cast<std::size_t>(it - buffer_.begin());
    buffer_.erase(buffer_.begin(), it);
}

FrameReader::Result FrameReader::next(Frame& frame)
{
    while (!broken_) {
        const auto fault = [this](Fault f) {
            lastFault_ = f;
            if (mode_ == Mode::Strict) {
                broken_ = true;
                buffer_.clear();
            } else {
                skipToMagic();
            }
        };

        if (buffer_.size() >= 1 && buffer_[0] != kMagic0) {
            fault(Fault::BadMagic);
            continue;
        }
        if (buffer_.size() >= 2 && buffer_[1] != kMagic1) {
            fault(Fault::BadMagic);
            continue;
        }
        if (buffer_.size() >= 3 && buffer_[2] != kProtocolVersion) {
            fault(Fault::BadVersion);
            continue;
        }
        if (buffer_.size() < kHeaderSize)
            return Result::NeedMore;

        WireReader header(std::span(buffer_.data(), kHeaderSize));
        header.raw(3);
        const std::uint8_t kind = header.u8();
        const std::uint16_t sequence = header.u16();
        const std::uint32_t length = header.u32();
        if (length > kMaxPayload) {
            fault(Fault::Oversized);
            continue;
        }
        const std::size_t total = kHeaderSize + length + kChecksumSize;
        if (buffer_.size() < total)
            return Result::NeedMore;

        const auto body = std::span(buffer_.data(), kHeaderSize + length);
        WireReader trailer(std::span(buffer_.data() + kHeaderSize + length, kChecksumSize));
        if (trailer.u32() != crc32(body)) {
            fault(Fault::BadChecksum);
            continue;
        }
        frame.kind = kind;
        frame.sequence = sequence;
        frame.payload.assign(buffer_.begin() + kHeaderSize,
                             buffer_.begin() + static_cast<std::ptrdiff_t>(kHeaderSize + length));
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(total));
        return Result::Frame;
    }
    return Result::Broken;
}

}  // namespace tavlo::protocol
