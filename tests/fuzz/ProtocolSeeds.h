#pragma once

#include "sdk/protocol/Messages.h"

#include <cstdint>
#include <vector>

namespace tavlo::fuzz {

// One of every request and of every reply, well formed.
std::vector<protocol::Request> sampleRequests();
std::vector<std::pair<protocol::Op, protocol::Reply>> sampleReplies();

}  // namespace tavlo::fuzz
