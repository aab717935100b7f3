#!/usr/bin/env bash
# Cross-builds the Windows programs and their tests into build-windows/ with
# the mingw-w64 compiler (scripts/setup.sh installs it), with the setup
# program. Extra arguments go to the configure step.
# The setup program carries the tag database that CORVANE_WINDOWS_DATABASE
# names, by default the one the Linux build (build/) wrote.
# CORVANE_WINDOWS_TARGET builds one target instead of all.
set -euo pipefail
cd "$(dirname "$0")/.."
database=${CORVANE_WINDOWS_DATABASE:-$PWD/build/src/app/Corvane.mdb}
flags=()
[ -f "$database" ] && flags+=("-DCORVANE_WINDOWS_DATABASE=$database")
cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake "${flags[@]}" "$@"
cmake --build build-windows ${CORVANE_WINDOWS_TARGET:+--target "$CORVANE_WINDOWS_TARGET"}
