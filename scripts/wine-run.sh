#!/usr/bin/env bash
# Runs a Windows program under Wine in a fresh prefix of its own, headless (the
# null graphics driver), and removes the prefix afterwards. Exits with the
# program's exit code.
#   scripts/wine-run.sh PROGRAM.exe [ARGUMENTS...]
# Only the 64-bit loader runs here; Wine's output goes to files, never to a
# pipe, since Wine's background services inherit it and may hold it open.
set -uo pipefail

if [ $# -lt 1 ]; then
  echo "usage: $0 PROGRAM.exe [ARGUMENTS...]" >&2
  exit 2
fi

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
folder=$(mktemp -d "${TMPDIR:-/tmp}/corvane-wine.XXXXXX")
export WINEPREFIX="$folder/prefix" WINELOADER="$wine" WINEDEBUG=-all
# No download dialogs for .NET and the HTML engine, which nothing here needs.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

cleanup() {
  "$wineserver" -k >/dev/null 2>&1
  rm -rf "$folder"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

if ! "$wine" wineboot -i >"$folder/boot.log" 2>&1; then
  echo "wine-run: making the prefix failed:" >&2
  cat "$folder/boot.log" >&2
  exit 125
fi
"$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >>"$folder/boot.log" 2>&1
# Wine's own fonts (package fonts-wine), which this Wine does not find by
# itself: the dialog font, and Marlett for the caption buttons.
if [ -d /usr/share/wine/fonts ]; then
  cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$WINEPREFIX/drive_c/windows/Fonts/" 2>>"$folder/boot.log"
fi
# Wine's desktop process started with the prefix, before the driver was
# chosen, and failed for want of a display: start afresh.
"$wineserver" -k >>"$folder/boot.log" 2>&1
"$wineserver" -w >>"$folder/boot.log" 2>&1

"$wine" "$@" >"$folder/out.log" 2>&1
status=$?
cat "$folder/out.log"
exit $status
