#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Every fuzz target defines both: the entry that libFuzzer calls, and the
// well-formed inputs that the standalone driver mutates.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
std::vector<std::vector<std::uint8_t>> fuzzSeeds();

// Stops the run loudly when a property of the decoder does not hold.
void fuzzCheck(bool condition, const char* what);
