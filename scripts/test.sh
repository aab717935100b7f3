#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite.
#   scripts/test.sh                 the normal build (build/)
#   CORVANE_SANITIZE=1 scripts/test.sh   the same under AddressSanitizer and UBSan (build-asan/)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

build=build
flags=()
if [ "${CORVANE_SANITIZE:-0}" = 1 ]; then
  build=build-asan
  flags+=(-DCORVANE_SANITIZE=ON -DCORVANE_BUILD_BENCH=OFF)
fi
cmake -S . -B "$build" -G Ninja "${flags[@]}"
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure --timeout 300 -j "$(nproc)"
