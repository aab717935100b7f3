#!/usr/bin/env bash
# Makes the packages users install, into build/packages/:
#   corvanesim_1.00_amd64.deb        the emulator, its tools and the corvane client
#   corvanesim-dev_1.00_amd64.deb    the client library, its headers and CMake package
#   CorvaneSim-1.00-setup.exe        the Windows setup program
# The Debian packages from the build (build/, or BUILD), checked by lintian;
# then the setup program from the Windows build (build-windows/), with the tag
# database the first build wrote. Only what the packages hold is built.
#   scripts/package.sh               both
#   scripts/package.sh --deb-only    only the Debian packages
set -euo pipefail
cd "$(dirname "$0")/.."
windows=1
case "${1:-}" in
  --deb-only) windows=0 ;;
  "") ;;
  *) echo "package: unknown argument $1 (--deb-only, or nothing)" >&2; exit 2 ;;
esac
scripts/setup.sh

build=${BUILD:-build}
out="$build/packages"
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target corvane_packaged
rm -rf "$out"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$build/cpack.log" 2>&1 \
  || { cat "$build/cpack.log" >&2; exit 1; }
rm -rf "$out/_CPack_Packages"
lintian --fail-on error "$out"/*.deb

if ((windows)); then
  CORVANE_WINDOWS_DATABASE="$PWD/$build/src/app/Corvane.mdb" CORVANE_WINDOWS_TARGET=corvane_setup scripts/build-windows.sh
  cp build-windows/packages/CorvaneSim-*-setup.exe "$out/"
fi
echo "package: made"
ls -l "$out"
