// A small stand-in for libFuzzer, built with the project's own compiler: it
// runs a fixed number of inputs from a fixed seed, every seed input as it is
// and the rest random or mutated from the seeds, so a run is short and the
// same every time. A crash, a sanitizer report or a failed check ends it.
//
//   fuzz_<target> [INPUTS]

#include "tests/fuzz/FuzzTarget.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

void fuzzCheck(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes mutate(const Bytes& seed, const std::vector<Bytes>& seeds, std::mt19937& random)
{
    Bytes b = seed;
    const auto pick = [&](std::size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    const int steps = 1 + static_cast<int>(pick(4));
    for (int s = 0; s < steps; ++s) {
        switch (pick(7)) {
        case 0:  // flip a bit
            if (!b.empty())
                b[pick(b.size())] ^= static_cast<std::uint8_t>(1u << pick(8));
            break;
        case 1:  // set a byte to an edge value
            if (!b.empty())
                b[pick(b.size())] = std::array<std::uint8_t, 5>{0, 1, 0x7F, 0x80, 0xFF}[pick(5)];
            break;
        case 2:  // cut the end
            b.resize(pick(b.size() + 1));
            break;
        case 3:  // insert random bytes
            for (std::size_t n = pick(16) + 1; n > 0; --n)
                b.insert(b.begin() + static_cast<std::ptrdiff_t>(pick(b.size() + 1)),
                         static_cast<std::uint8_t>(random()));
            break;
        case 4:  // remove a stretch
            if (!b.empty()) {
                const std::size_t at = pick(b.size());
                b.erase(b.begin() + static_cast<std::ptrdiff_t>(at),
                        b.begin() + static_cast<std::ptrdiff_t>(std::min(b.size(), at + pick(32) + 1)));
            }
            break;
        case 5: {  // append another seed
            const Bytes& other = seeds[pick(seeds.size())];
            b.insert(b.end(), other.begin(), other.end());
            break;
        }
        default:  // overwrite a 32-bit value, where lengths and counts live
            if (b.size() >= 4) {
                const std::size_t at = pick(b.size() - 3);
                const std::uint32_t v = std::array<std::uint32_t, 5>{0, 1, 0xFFFF, 0x10000, 0xFFFFFFFF}[pick(5)];
                for (int i = 0; i < 4; ++i)
                    b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
            }
            break;
        }
    }
    return b;
}

}  // namespace

int main(int argc, char** argv)
{
    const long inputs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 4000;
    std::mt19937 random(20240601);
    const std::vector<Bytes> seeds = fuzzSeeds();
    long done = 0;
    for (const Bytes& seed : seeds) {
        LLVMFuzzerTestOneInput(seed.data(), seed.size());
        ++done;
    }
    while (done < inputs) {
        Bytes input;
        if (seeds.empty() || random() % 5 == 0) {
            input.resize(random() % 2048);
            for (auto& b : input)
                b = static_cast<std::uint8_t>(random());
        } else {
            input = mutate(seeds[random() % seeds.size()], seeds, random);
        }
        LLVMFuzzerTestOneInput(input.data(), input.size());
        ++done;
    }
    std::printf("%ld inputs, %zu seeds, no failure\n", done, seeds.size());
    return 0;
}
