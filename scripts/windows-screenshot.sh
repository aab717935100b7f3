#!/usr/bin/env bash
# Makes docs/operator-window-windows.png: the Win32 window with a few rows,
# drawn by Wine's own controls in a fresh prefix (scripts/build-windows.sh first).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
scripts/wine-run.sh build-windows/tools/windowshot/corvane_windowshot.exe "Z:${out//\//\\}\\shot.bmp"
convert "$out/shot.bmp" docs/operator-window-windows.png
echo "wrote docs/operator-window-windows.png"
