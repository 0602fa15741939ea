#pragma once

#include "sdk/protocol/FrameReader.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace tavlo::fuzz {

// Plays a fuzz input as a byte stream: the first byte chooses the reader's
// mode and the size of the pieces the stream arrives in, the rest is the
// stream. Every frame the reader cuts out goes to `take`.
void playStream(const std::uint8_t* data, std::size_t size,
                const std::function<void(const protocol::Frame&)>& take);

}  // namespace tavlo::fuzz
