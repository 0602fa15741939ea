// fuzzCheck for libFuzzer builds, where the standalone driver is left out.

#include "tests/fuzz/FuzzTarget.h"

#include <cstdio>
#include <cstdlib>

void fuzzCheck(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}
