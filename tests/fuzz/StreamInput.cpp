#include "tests/fuzz/StreamInput.h"

#include "tests/fuzz/FuzzTarget.h"

#include <vector>

namespace tavlo::fuzz {

using namespace protocol;

void playStream(const std::uint8_t* data, std::size_t size, const std::function<void(const Frame&)>& take)
{
    if (size == 0)
        return;
    const auto mode = (data[0] & 1) ? FrameReader::Mode::Resync : FrameReader::Mode::Strict;
    const std::size_t piece = 1 + (data[0] >> 1) * 97;
    FrameReader reader(mode);
    std::span<const std::uint8_t> rest(data + 1, size - 1);
    std::size_t frames = 0;
    for (;;) {
        const std::size_t n = std::min(piece, rest.size());
        const std::size_t taken = reader.feed(rest.first(n));
        fuzzCheck(taken <= n, "feed takes no more than it was given");
        rest = rest.subspan(taken);
        Frame frame;
        FrameReader::Result result;
        while ((result = reader.next(frame)) == FrameReader::Result::Frame) {
            fuzzCheck(frame.payload.size() <= kMaxPayload, "payload within its bound");
            take(frame);
            ++frames;
        }
        if (result == FrameReader::Result::Broken) {
            fuzzCheck(mode == FrameReader::Mode::Strict, "a serial line never breaks");
            return;
        }
        if (rest.empty())
            break;
        // Progress: with room in the reader, feeding always takes something.
        fuzzCheck(taken > 0 || n == 0, "the reader makes progress");
    }
    fuzzCheck(frames <= size / (kHeaderSize + kChecksumSize) + 1, "no frame out of nothing");

    // The stream goes on with zeros: whatever the input began, the reader
    // must take them until it has a whole frame or gives up, never stick.
    const std::vector<std::uint8_t> zeros(4096, 0);
    for (std::size_t fed = 0; fed <= kMaxFrameSize;) {
        const std::size_t taken = reader.feed(zeros);
        fuzzCheck(taken > 0, "room for the rest of a frame");
        fed += taken;
        Frame frame;
        FrameReader::Result result;
        while ((result = reader.next(frame)) == FrameReader::Result::Frame)
            take(frame);
        if (result == FrameReader::Result::Broken)
            return;
    }
}

}  // namespace tavlo::fuzz
