#!/usr/bin/env bash
# Installs the Debian packages in PACKAGES into a fresh Debian 12 root as a
# user would (apt install ./….deb), has the corvane client of an ordinary user
# query the emulator on a dbus-run-session bus with no display, so that the
# bus starts the installed server from the installed service file, then purges
# the packages and requires that nothing of ours is left.
#   tests/package/install-use-purge.sh PACKAGES WORK
# The root's tarball and the apt archives are kept in WORK/cache between runs.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
packages=$(realpath "${1:?usage: install-use-purge.sh PACKAGES WORK}")
work=${2:?usage: install-use-purge.sh PACKAGES WORK}

if [ "$(id -u)" -ne 0 ]; then
  echo "install-use-purge: skipped: making and entering a Debian root needs root"
  exit 77
fi
for tool in debootstrap unshare chroot; do
  command -v "$tool" >/dev/null || { echo "install-use-purge: $tool is missing (scripts/setup.sh)" >&2; exit 1; }
done
shopt -s nullglob
debs=("$packages"/*.deb)
((${#debs[@]})) || { echo "install-use-purge: no packages in $packages" >&2; exit 1; }

start=$SECONDS
mkdir -p "$work/cache/archives"
root="$work/root"
"$here/debian-root.sh" "$root" "$work/cache/debian12-minbase.tar"
echo "install-use-purge: fresh root ready after $((SECONDS - start)) s"

mkdir -p "$root/tmp/corvane-packages"
cp "${debs[@]}" "$root/tmp/corvane-packages/"
chmod -R a+rX "$root/tmp/corvane-packages"
cp "$work/cache/archives/"*.deb "$root/var/cache/apt/archives/" 2>/dev/null || true
cp "$here/in-root-check.sh" "$root/tmp/in-root-check.sh"

# A mount and process namespace of our own: the root's /proc goes away with
# it, and so does every process started inside, the activated server included.
status=0
unshare --mount --pid --fork --kill-child /bin/sh -c \
  'mount -t proc proc "$1/proc" && exec chroot "$1" /bin/bash /tmp/in-root-check.sh' sh "$root" || status=$?

cp "$root/var/cache/apt/archives/"*.deb "$work/cache/archives/" 2>/dev/null || true
rm -rf "$root"
echo "install-use-purge: $( ((status)) && echo FAILED || echo passed ) after $((SECONDS - start)) s"
exit $status
