#!/usr/bin/env bash
# Cross-builds the Windows programs and their tests into build-windows/ with
# the mingw-w64 compiler (scripts/setup.sh installs it). Extra arguments go to
# the configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake "$@"
cmake --build build-windows
