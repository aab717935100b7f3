#!/usr/bin/env bash
# Installs what CorvaneSim needs on Debian 12: the Debian packages (only those
# that are missing, so a second run is quick) and the npm packages that the
# tests use as an independent Jet reader.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev
  unicode-data  # CaseFolding.txt, from which the build makes the case folding table
  libgtest-dev libgmock-dev libbenchmark-dev
  mdbtools-dev mdbtools
  dbus-daemon dbus-bin libdbus-1-dev libglib2.0-bin
  libsystemd-dev  # sd-bus, which serves and calls the bus contract
  xvfb xauth imagemagick
  clang libclang-rt-14-dev
  # The Windows build (build-windows/) and its tests under Wine: the 64-bit
  # mingw compiler with posix threads, GoogleTest's sources to build with it,
  # and the 64-bit Wine (these machines run no 32-bit programs).
  g++-mingw-w64-x86-64-posix googletest wine wine64 fonts-wine
  # The packages (scripts/package.sh): the Debian package with its man pages
  # and checks, the fresh Debian root its install test runs in, and the
  # Windows setup program.
  dpkg-dev fakeroot lintian help2man debootstrap nsis
)
# Node.js for the npm cross-check reader; some machines carry their own build
# of Node.js with npm included, which Debian's npm package would conflict with.
command -v node >/dev/null || packages+=(nodejs)
command -v npm >/dev/null || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The independent Jet reader for the round-trip tests, pinned by the lock file.
if [ ! -d tests/npm/node_modules/mdb-reader ]; then
  (cd tests/npm && npm ci --no-audit --no-fund --loglevel=error)
fi
