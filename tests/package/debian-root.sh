#!/usr/bin/env bash
# Makes a fresh Debian 12 root (debootstrap --variant=minbase) in ROOT,
# unpacked from the tarball CACHE, which the first run makes, so that a rerun
# is quick.
#   tests/package/debian-root.sh ROOT CACHE
# CORVANE_DEBIAN_MIRROR chooses the mirror (default http://deb.debian.org/debian).
set -euo pipefail
root=${1:?usage: debian-root.sh ROOT CACHE}
cache=${2:?usage: debian-root.sh ROOT CACHE}
mirror=${CORVANE_DEBIAN_MIRROR:-http://deb.debian.org/debian}

if [ ! -s "$cache" ]; then
  start=$SECONDS
  fresh="$cache.new"
  rm -rf "$fresh"
  mkdir -p "$(dirname "$cache")"
  # In a mount namespace of its own: whatever debootstrap mounts in the root
  # goes away with it, even when it is interrupted.
  if ! unshare --mount debootstrap --variant=minbase bookworm "$fresh" "$mirror" >"$cache.log" 2>&1; then
    echo "debian-root: debootstrap failed; the end of its log ($cache.log):" >&2
    tail -20 "$cache.log" >&2
    exit 1
  fi
  tar -C "$fresh" -cf "$cache.part" .
  mv "$cache.part" "$cache"
  rm -rf "$fresh"
  echo "debian-root: made the Debian 12 root in $((SECONDS - start)) s, kept as $cache"
fi

rm -rf "$root"
mkdir -p "$root"
tar -C "$root" -xf "$cache"
# The sources of an ordinary installation, with its updates.
cat >"$root/etc/apt/sources.list" <<SOURCES
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main
SOURCES
cp /etc/resolv.conf "$root/etc/resolv.conf"
