#!/usr/bin/env bash
# Builds the program and every test twice, plainly and under AddressSanitizer
# with UndefinedBehaviorSanitizer, and runs all tests of both builds through
# CTest. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"

scripts/setup.sh

jobs=$(nproc 2>/dev/null || echo 2)
for variant in plain sanitize; do
  if [[ $variant == plain ]]; then
    dir=build; options=()
  else
    dir=build-asan; options=(-DTAVLO_SANITIZE=ON)
  fi
  echo "== $variant build ($dir)"
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVLO_WERROR=ON "${options[@]}" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
done
echo "All tests passed."
