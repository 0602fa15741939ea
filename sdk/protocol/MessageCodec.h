#pragma once

#include "sdk/protocol/Frame.h"
#include "sdk/protocol/Messages.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tavlo::protocol {

Op opOf(const Request& request);
bool isOp(std::uint8_t code);

std::vector<std::uint8_t> encodeRequest(const Request& request);
// Decodes the payload of a request frame. Returns nothing for an unknown
// operation, a payload of the wrong size, a count above its bound or a byte
// that is not a boolean.
std::optional<Request> decodeRequest(std::uint8_t kind, std::span<const std::uint8_t> payload);

// The body type that an Ok reply to `op` carries.
ReplyBody emptyBodyFor(Op op);

std::vector<std::uint8_t> encodeReply(Op op, const Reply& reply);
// Decodes the payload of the reply to `op`. Returns nothing when it does not
// have exactly the shape that an answer to `op` must have.
std::optional<Reply> decodeReply(Op op, std::span<const std::uint8_t> payload);

// Whole frames, for senders.
Frame requestFrame(const Request& request, std::uint16_t sequence);
Frame replyFrame(Op op, const Reply& reply, std::uint16_t sequence);

}  // namespace tavlo::protocol
