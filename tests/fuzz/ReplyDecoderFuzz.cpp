// The PC's side: what the driver makes of a terminal's answers.

#include "sdk/protocol/MessageCodec.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tests/fuzz/ProtocolSeeds.h"
#include "tests/fuzz/StreamInput.h"

using namespace tavlo;
using namespace tavlo::protocol;

namespace {

void decodeAs(Op op, std::span<const std::uint8_t> payload)
{
    const std::optional<Reply> reply = decodeReply(op, payload);
    if (!reply)
        return;
    if (const auto* batch = std::get_if<LogBatchReply>(&reply->body))
        fuzzCheck(batch->records.size() <= kMaxLogBatch, "log batch within its bound");
    if (const auto* batch = std::get_if<UserBatchReply>(&reply->body))
        fuzzCheck(batch->entries.size() <= kMaxUserBatch, "user batch within its bound");
    const std::vector<std::uint8_t> again = encodeReply(op, *reply);
    fuzzCheck(std::equal(again.begin(), again.end(), payload.begin(), payload.end()),
              "a decoded reply encodes to the same bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::playStream(data, size, [](const Frame& frame) {
        if ((frame.kind & kReplyFlag) && isOp(frame.kind & ~kReplyFlag))
            decodeAs(static_cast<Op>(frame.kind & ~kReplyFlag), frame.payload);
    });
    // The same bytes as the payload of an answer to every operation.
    if (size > 0)
        decodeAs(static_cast<Op>(kFirstOp + data[0] % kLastOp), std::span(data + 1, size - 1));
    return 0;
}

std::vector<std::vector<std::uint8_t>> fuzzSeeds()
{
    std::vector<std::vector<std::uint8_t>> seeds;
    std::vector<std::uint8_t> all{0x10};
    std::uint16_t sequence = 1;
    for (const auto& [op, reply] : fuzz::sampleReplies()) {
        const auto frame = encodeFrame(replyFrame(op, reply, sequence++));
        for (std::uint8_t mode : {0x00, 0x01, 0xFE}) {
            std::vector<std::uint8_t> seed{mode};
            seed.insert(seed.end(), frame.begin(), frame.end());
            seeds.push_back(seed);
        }
        all.insert(all.end(), frame.begin(), frame.end());
    }
    seeds.push_back(all);
    return seeds;
}
