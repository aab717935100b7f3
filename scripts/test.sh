#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite.
#   scripts/test.sh                 the normal build (build/)
#   CORVANE_SANITIZE=1 scripts/test.sh   the same under AddressSanitizer and UBSan (build-asan/)
# Then the Windows build (build-windows/) and its tests under Wine, unless
# CORVANE_SKIP_WINDOWS=1 asks to leave them out of a quick local run; CI
# always runs them.
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

if [ "${CORVANE_SKIP_WINDOWS:-0}" = 1 ]; then
  if [ -n "${CI:-}" ]; then
    echo "test: CORVANE_SKIP_WINDOWS is ignored in CI" >&2
  else
    echo "test: left out the Windows build and its tests (CORVANE_SKIP_WINDOWS=1)"
    exit 0
  fi
fi
scripts/build-windows.sh
ctest --test-dir build-windows --output-on-failure --timeout 300 -j "$(nproc)"
