// The terminal's side: what the emulator makes of a PC's requests.

#include "sdk/protocol/MessageCodec.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tests/fuzz/ProtocolSeeds.h"
#include "tests/fuzz/StreamInput.h"

using namespace tavlo;
using namespace tavlo::protocol;

namespace {

void decodeAs(std::uint8_t kind, std::span<const std::uint8_t> payload)
{
    const std::optional<Request> request = decodeRequest(kind, payload);
    if (!request)
        return;
    fuzzCheck(static_cast<std::uint8_t>(opOf(*request)) == kind, "the request is of its frame's kind");
    const std::vector<std::uint8_t> again = encodeRequest(*request);
    fuzzCheck(std::equal(again.begin(), again.end(), payload.begin(), payload.end()),
              "a decoded request encodes to the same bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::playStream(data, size, [](const Frame& frame) { decodeAs(frame.kind, frame.payload); });
    if (size > 0)
        decodeAs(data[0], std::span(data + 1, size - 1));
    return 0;
}

std::vector<std::vector<std::uint8_t>> fuzzSeeds()
{
    std::vector<std::vector<std::uint8_t>> seeds;
    std::vector<std::uint8_t> all{0x21};
    std::uint16_t sequence = 1;
    for (const Request& request : fuzz::sampleRequests()) {
        const auto frame = encodeFrame(requestFrame(request, sequence++));
        for (std::uint8_t mode : {0x00, 0x01, 0x7E}) {
            std::vector<std::uint8_t> seed{mode};
            seed.insert(seed.end(), frame.begin(), frame.end());
            seeds.push_back(seed);
        }
        all.insert(all.end(), frame.begin(), frame.end());
    }
    seeds.push_back(all);
    return seeds;
}
