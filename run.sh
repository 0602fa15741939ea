#!/usr/bin/env bash
# Builds the program, installs it into the portable application folder run/
# and starts it there on the bundled terminal emulator: two emulated
# terminals with demo users and records, and a third that nothing answers.
set -euo pipefail
cd "$(dirname "$0")"

scripts/setup.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)"
cmake --install build --prefix run >/dev/null

scripts/demo.sh prepare run
# Register the terminal control as the program's own first start would, so
# that the demo opens the main window at once.
run/regsvr32 /s sbxpc.ocx
mapfile -t emulators < <(scripts/demo.sh serve run)
trap 'kill "${emulators[@]}" 2>/dev/null || true' EXIT
run/tavlo-senkor
