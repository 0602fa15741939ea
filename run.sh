#!/usr/bin/env bash
# Builds the program, installs it into the portable application folder run/
# and starts it there. The first start seeds a terminal list for the demo.
set -euo pipefail
cd "$(dirname "$0")"

scripts/setup.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)"
cmake --install build --prefix run >/dev/null

scripts/demo.sh run
exec run/tavlo-senkor
