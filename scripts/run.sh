#!/usr/bin/env bash
# Sets up, builds and starts the emulator with its bundled tag database, then
# runs an example query with the corvane client and prints the samples.
#   scripts/run.sh                  set up, build (build/), run
#   scripts/run.sh --no-setup       without installing what is missing
#   scripts/run.sh --no-build       with what the build folder already holds
#   scripts/run.sh --build-dir DIR  build into (or use) DIR instead of build/
#
# The bus: the user's session bus when there is one, where the emulator's
# service is registered (corvanesim --regserver) so that later clients start
# it on their own; otherwise a private bus of this script's.
# The emulator: in its window when there is a display, offscreen otherwise.
# When the script ends, a windowed emulator on the user's bus keeps running
# (close its window and answer Yes to end it); an offscreen one ends with the
# script, and so does a private bus with everything on it.
set -euo pipefail
cd "$(dirname "$0")/.."

setup=1
build_step=1
build=build
while (($#)); do
  case "$1" in
    --no-setup) setup=0 ;;
    --no-build) build_step=0 ;;
    --build-dir) build="${2:?--build-dir needs a folder}"; shift ;;
    -h|--help) sed -n '2,17s/^# \{0,1\}//p' "$0"; exit 0 ;;
    *) echo "run: unknown argument $1 (try --help)" >&2; exit 2 ;;
  esac
  shift
done

say() { printf 'run: %s\n' "$*"; }

if ((setup)); then scripts/setup.sh; fi
if ((build_step)); then
  cmake -S . -B "$build" -G Ninja >/dev/null
  cmake --build "$build" --target corvanesim corvane
fi
server="$(realpath "$build/src/app/corvanesim")"
client="$(realpath "$build/tools/corvane/corvane")"
[ -x "$server" ] && [ -x "$client" ] || { echo "run: no corvanesim and corvane in $build" >&2; exit 1; }

work="$(mktemp -d)"
server_pid=""
bus_pid=""
keep_server=0
cleanup() {
  if [ -n "$server_pid" ] && ((!keep_server)); then kill "$server_pid" 2>/dev/null || true; wait "$server_pid" 2>/dev/null || true; fi
  if [ -n "$bus_pid" ]; then kill "$bus_pid" 2>/dev/null || true; wait "$bus_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# The emulator's window needs a display; without one Qt draws it offscreen.
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  windowed=1
  server_env=()
else
  windowed=0
  server_env=(QT_QPA_PLATFORM=offscreen)
  say "no display: the emulator runs offscreen and ends with this script"
fi

# The user's session bus, if there is one that answers.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] && [ -S "${XDG_RUNTIME_DIR:-/run/user/$(id -u)}/bus" ]; then
  export DBUS_SESSION_BUS_ADDRESS="unix:path=${XDG_RUNTIME_DIR:-/run/user/$(id -u)}/bus"
fi
bus_call() { gdbus call --session --timeout 5 --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus --method "$@"; }
if [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] && bus_call org.freedesktop.DBus.GetId >/dev/null 2>&1; then
  private=0
  "$server" --regserver | sed 's/^/run: /'
  bus_call org.freedesktop.DBus.ReloadConfig >/dev/null  # picks up a services folder made just now
else
  private=1
  mkdir -p "$work/services"
  printf '[D-BUS Service]\nName=org.corvane.CorvaneSim\nExec=/usr/bin/env %s %s\n' "${server_env[*]}" "$server" \
    >"$work/services/org.corvane.CorvaneSim.service"
  cat >"$work/bus.conf" <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=$work</listen>
  <auth>EXTERNAL</auth>
  <servicedir>$work/services</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOF
  coproc BUS { exec dbus-daemon --config-file="$work/bus.conf" --nofork --print-address=1 2>>"$work/bus.log"; }
  bus_pid=$BUS_PID
  read -t 10 -r address <&"${BUS[0]}" || { echo "run: dbus-daemon did not start:" >&2; cat "$work/bus.log" >&2; exit 1; }
  export DBUS_SESSION_BUS_ADDRESS="$address"
  say "there is no session bus: started a private one (pid $bus_pid), which ends with this script"
fi

# The emulator: one already on the bus is used as it is.
log="$build/corvanesim.log"
if owner=$(bus_call org.freedesktop.DBus.GetConnectionUnixProcessID org.corvane.CorvaneSim 2>/dev/null); then
  say "an emulator already runs on this bus (pid $(sed -E 's/.*uint32 ([0-9]+).*/\1/' <<<"$owner")); using it"
else
  if ((windowed && !private)); then
    keep_server=1
    setsid env "${server_env[@]}" "$server" >"$log" 2>&1 </dev/null &
  else
    env "${server_env[@]}" "$server" >"$log" 2>&1 </dev/null &
  fi
  server_pid=$!
  if ! gdbus wait --session --timeout 30 org.corvane.CorvaneSim; then
    echo "run: the emulator did not start; its log ($log):" >&2
    cat "$log" >&2
    exit 1
  fi
  say "started the emulator (pid $server_pid)$( ((windowed)) && echo ' in its window' || echo ' offscreen'); its log is $log"
fi

query=(query --start NOW-5M --frequency 60 TIC101.PV FIC101.PV)
echo
echo "\$ corvane ${query[*]}"
"$client" "${query[@]}"
echo

if ((keep_server)); then
  say "the emulator keeps running in its window: close the window and answer Yes to end it (or kill $server_pid)"
elif ((windowed && private)) && [ -t 0 ]; then
  say "the emulator's window belongs to this script's private bus: close it and answer Yes to end both"
  wait "$server_pid" || true
  server_pid=""
fi
say "point your own programs at it: the C++ library (find_package(CorvaneSim)), $build/tools/corvane/corvane, or plain D-Bus (docs/dbus.md)"
