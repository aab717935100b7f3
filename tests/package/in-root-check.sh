#!/bin/bash
# Runs inside the fresh Debian root (install-use-purge.sh): install, use as an
# ordinary user on a bus of their own with no display, purge, look for leftovers.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8 PATH=/usr/sbin:/usr/bin:/sbin:/bin
unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS
step() { printf '== %s\n' "$*"; }
fail() { printf 'FAILED: %s\n' "$*" >&2; exit 1; }
leftovers() {
  find / -xdev \( -path /proc -o -path /tmp/corvane-packages -o -path /home \) -prune -o -iname '*corvane*' -print
}

[ -z "$(leftovers)" ] || fail "the fresh root already holds files of ours: $(leftovers)"

step "apt install ./corvanesim_*.deb ./corvanesim-dev_*.deb, and dbus-run-session's packages"
apt-get update -q >/tmp/apt.log 2>&1 || { cat /tmp/apt.log; fail "apt-get update"; }
cd /tmp/corvane-packages
apt-get install -y -q --no-install-recommends ./corvanesim_*.deb ./corvanesim-dev_*.deb dbus-daemon dbus-bin \
  >>/tmp/apt.log 2>&1 || { tail -40 /tmp/apt.log; fail "apt install"; }
cd /

step "what landed"
service=/usr/share/dbus-1/services/org.corvane.CorvaneSim.service
grep -qx 'Exec=/usr/libexec/corvanesim/corvanesim' "$service" || fail "$service does not name the installed server: $(cat "$service")"
for file in /usr/bin/corvanesim /usr/bin/corvane /usr/bin/corvanesim-tagdb /usr/libexec/corvanesim/corvanesim-tagread \
            /usr/libexec/corvanesim/Corvane.mdb /usr/share/applications/corvanesim.desktop \
            /usr/share/man/man1/corvane.1.gz /usr/include/corvanesim/CorvaneSim.h; do
  [ -e "$file" ] || fail "not installed: $file"
done
[ -n "$(find /usr/lib -path '*/cmake/CorvaneSim/CorvaneSimConfig.cmake')" ] || fail "the CMake package files are missing"
[ "$(corvanesim --version)" = "CorvaneSim 1.00" ] || fail "corvanesim --version says $(corvanesim --version)"

step "an ordinary user's client, on a dbus-run-session bus with no display"
useradd --create-home tester
query=$(runuser -u tester -- dbus-run-session -- corvane query --start NOW-5M --frequency 60 TIC101.PV FIC101.PV 2>&1) \
  || fail "the query failed: $query"
printf '%s\n' "$query"
# Values from the installed tag database come with confidence 100.
grep -Eq '^TIC101\.PV +[0-9-]+ [0-9:]+ +[0-9.]+ +100$' <<<"$query" || fail "no samples of TIC101.PV"
grep -Eq '^FIC101\.PV +[0-9-]+ [0-9:]+ +[0-9.]+ +100$' <<<"$query" || fail "no samples of FIC101.PV"
tags=$(runuser -u tester -- corvanesim-tagdb dump /usr/libexec/corvanesim/Corvane.mdb 2>&1) || fail "corvanesim-tagdb dump: $tags"
grep -q 'TIC101.PV' <<<"$tags" || fail "corvanesim-tagdb dumps no TIC101.PV: $tags"
runuser -u tester -- test -w /usr/libexec/corvanesim/Corvane.mdb && fail "a user can write the bundled tag database"

step "apt purge"
userdel --remove tester
apt-get purge -y -q corvanesim corvanesim-dev >>/tmp/apt.log 2>&1 || { tail -20 /tmp/apt.log; fail "apt purge"; }
! dpkg-query -W -f='${Package} ${Status}\n' 'corvanesim*' 2>/dev/null | grep -v 'not-installed' | grep -q . \
  || fail "dpkg still knows: $(dpkg-query -W 'corvanesim*')"
left=$(leftovers)
[ -z "$left" ] || fail "left behind after the purge:
$left"
step "nothing of ours is left"
