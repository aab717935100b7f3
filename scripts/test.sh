#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite.
#   scripts/test.sh                 the normal build (build/)
#   CORVANE_SANITIZE=1 scripts/test.sh   the same under AddressSanitizer and UBSan (build-asan/)
# Then the packages' tests (label "package": the Debian packages installed,
# used and purged in a fresh Debian 12 root), unless CORVANE_SKIP_PACKAGES=1;
# then the Windows build (build-windows/) and its tests under Wine, the setup
# program's among them, unless CORVANE_SKIP_WINDOWS=1. Neither is left out
# in CI.
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
ctest --test-dir "$build" --output-on-failure --timeout 300 -j "$(nproc)" -LE package

# The packages are made from the normal build only.
skip_packages=0
if [ "${CORVANE_SANITIZE:-0}" = 1 ]; then
  skip_packages=1
elif [ "${CORVANE_SKIP_PACKAGES:-0}" = 1 ]; then
  if [ -n "${CI:-}" ]; then
    echo "test: CORVANE_SKIP_PACKAGES is ignored in CI" >&2
  else
    echo "test: left out the packages' tests (CORVANE_SKIP_PACKAGES=1)"
    skip_packages=1
  fi
fi
# One at a time: they make whole systems and run for minutes.
((skip_packages)) || ctest --test-dir "$build" --output-on-failure -L package

if [ "${CORVANE_SKIP_WINDOWS:-0}" = 1 ]; then
  if [ -n "${CI:-}" ]; then
    echo "test: CORVANE_SKIP_WINDOWS is ignored in CI" >&2
  else
    echo "test: left out the Windows build and its tests (CORVANE_SKIP_WINDOWS=1)"
    exit 0
  fi
fi
scripts/build-windows.sh
windows_flags=()
((skip_packages)) && windows_flags+=(-LE package)
ctest --test-dir build-windows --output-on-failure --timeout 300 -j "$(nproc)" "${windows_flags[@]}"
