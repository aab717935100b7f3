#!/usr/bin/env bash
# Installs the setup program silently into a fresh Wine prefix, checks the
# files, the Start-menu entry and the uninstall entry, has a VBScript client
# get values from the registered server, uninstalls silently and requires
# that nothing of ours is left in Program Files, the Start menu or the registry.
#   tests/package/windows-setup-check.sh SETUP.exe STAGED_FILES REGISTERS(0|1)
# STAGED_FILES is the folder the setup program was made from; REGISTERS says
# whether the setup registers the server (corvanesim.exe answers /RegServer).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
setup=${1:?usage: windows-setup-check.sh SETUP.exe STAGED_FILES REGISTERS}
staged=${2:?usage: windows-setup-check.sh SETUP.exe STAGED_FILES REGISTERS}
registers=${3:?usage: windows-setup-check.sh SETUP.exe STAGED_FILES REGISTERS}

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
folder=$(mktemp -d "${TMPDIR:-/tmp}/corvane-setup.XXXXXX")
# No menu entries on the host for the Start-menu entries made inside the prefix.
export WINEPREFIX="$folder/prefix" WINELOADER="$wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY
cleanup() {
  "$wineserver" -k >/dev/null 2>&1
  rm -rf "$folder"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

step() { printf '== %s\n' "$*"; }
fail() { printf 'FAILED: %s\n' "$*" >&2; exit 1; }
# Wine's output goes to files: its background services would hold a pipe open.
run() { "$wine" "$@" >"$folder/out.log" 2>&1; }
# The registry as Wine keeps it on disk, written out once every process of the prefix has ended.
registry_mentions_us() {
  "$wineserver" -w
  grep -il 'corvane' "$WINEPREFIX"/*.reg
}

"$wine" wineboot -i >"$folder/boot.log" 2>&1 || { cat "$folder/boot.log"; fail "making the Wine prefix"; }
"$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >>"$folder/boot.log" 2>&1
"$wineserver" -k >>"$folder/boot.log" 2>&1
[ -z "$(registry_mentions_us)" ] || fail "the fresh prefix already mentions us"

# Copied in, so that the path the setup runs from says nothing about us.
cp "$setup" "$WINEPREFIX/drive_c/setup.exe"
step "setup.exe /S"
run 'C:\setup.exe' /S || { status=$?; cat "$folder/out.log"; fail "the silent install exited with $status"; }
"$wineserver" -w

installed="$WINEPREFIX/drive_c/Program Files/CorvaneSim"
while IFS= read -r file; do
  [ -f "$installed/$file" ] || fail "not installed: $file"
done < <(cd "$staged" && find . -type f | sed 's|^\./||')
[ -f "$installed/Uninstall.exe" ] || fail "no uninstaller"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/CorvaneSim"
[ -f "$menu/CorvaneSim.lnk" ] || fail "no Start-menu entry for the operator window"
run reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\CorvaneSim' /v QuietUninstallString \
  || fail "no uninstall entry"
echo "installed $(cd "$staged" && find . -type f | wc -l) files, the Start-menu entry and the uninstall entry"

if [ "$registers" = 1 ]; then
  step "a VBScript client of the registered server"
  cp "$here/setup-client.vbs" "$WINEPREFIX/drive_c/client.vbs"
  run cscript //nologo 'C:\client.vbs'
  cat "$folder/out.log"
  # Wine's script host exits 0 even on a script error: the last line tells.
  grep -q '^client: done' "$folder/out.log" || fail "the client did not finish"
  grep -Eq '^client: TIC101.PV = -?[0-9]' "$folder/out.log" || fail "the client got no value"

  # The server lives on until the operator closes its window: neither the
  # setup nor the uninstaller may touch its files meanwhile. `_?=` keeps the
  # uninstaller in place, so that its own exit code comes back.
  step "setup.exe /S and Uninstall.exe /S while the server runs"
  run 'C:\setup.exe' /S; status=$?
  [ "$status" = 2 ] || fail "the install over a running server exited with $status, not 2"
  # `_?=` takes the rest of the command line, spaces and all, unquoted: a
  # batch file passes it so.
  printf '@"C:\\Program Files\\CorvaneSim\\Uninstall.exe" /S _?=C:\\Program Files\\CorvaneSim\r\n@exit /b %%ERRORLEVEL%%\r\n' \
    >"$WINEPREFIX/drive_c/uninstall-in-place.bat"
  run cmd /c 'C:\uninstall-in-place.bat'; status=$?
  [ "$status" = 2 ] || fail "the uninstall under a running server exited with $status, not 2"
  [ -f "$installed/corvanesim.exe" ] || fail "the refused uninstall removed corvanesim.exe"
  run reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\CorvaneSim' /v QuietUninstallString \
    || fail "the refused uninstall removed the uninstall entry"
  echo "both refused with exit code 2; nothing removed"
  "$wineserver" -k
else
  echo "== SKIPPED: a VBScript client of the registered server: this corvanesim.exe does not answer"
  echo "   /RegServer, so the setup program registers nothing (CORVANE_SETUP_REGISTERS_SERVER, on by itself with src/com/)"
fi

step "Uninstall.exe /S"
run 'C:\Program Files\CorvaneSim\Uninstall.exe' /S || { status=$?; cat "$folder/out.log"; fail "the silent uninstall exited with $status"; }
# The uninstaller runs on from a copy of itself; it is done when the prefix is idle.
"$wineserver" -w
[ ! -e "$installed" ] || fail "left in Program Files: $(cd "$installed" && find . | head)"
[ ! -e "$menu" ] || fail "left in the Start menu: $(ls "$menu")"
mentions=$(registry_mentions_us)
[ -z "$mentions" ] || fail "left in the registry ($mentions): $(grep -i -B3 'corvane' "$WINEPREFIX"/*.reg | head -30)"
step "nothing of ours is left"
