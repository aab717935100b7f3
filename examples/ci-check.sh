#!/bin/sh
# An example CI job: steer CorvaneSim into a known scenario with nobody at its
# window, run the client program under test, and check what it wrote.
#
# The emulator must be reachable on the session bus. On a CI machine:
#
#   corvanesim --regserver
#   QT_QPA_PLATFORM=offscreen dbus-run-session -- sh examples/ci-check.sh
#
# corvane comes from PATH, or from $CORVANE (build/tools/corvane/corvane in a
# build tree, where corvanesim is build/src/app/corvanesim). The program under
# test here is a stand-in made of corvane commands (run_client below): put
# yours in its place, and the lines it should write into the check after it.
set -eu

corvane=${CORVANE:-corvane}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "ci-check: $*" >&2
  exit 1
}

run_client() {
  "$corvane" write TIC101.PV 42.5
  "$corvane" write FIC101.PV 7 --confidence 80
  "$corvane" query --csv --start NOW-4M --frequency 60 TIC101.PV >"$work/query.csv"
}

# The scenario: flat histories (no sine wave), no time error, an empty write log.
"$corvane" operator sine off
"$corvane" operator time-error 0
"$corvane" operator clear

run_client >/dev/null

# What the program wrote, in order, and nothing else (the time of each write cut off).
"$corvane" operator log | sed 's/^[0-9][0-9]:[0-9][0-9]:[0-9][0-9]: //' >"$work/written"
printf '%s\n' "TIC101.PV = 42.5" "FIC101.PV = 7" | diff -u - "$work/written" >&2 ||
  fail "the write log is not what the program should have written"

# With the sine wave off, every sample is the tag's value in the tag database.
values=$(tail -n +2 "$work/query.csv" | cut -d, -f3 | sort -u)
[ "$values" = 65.3 ] || fail "the query's values are not all 65.3: $values"

echo "ci-check: the client wrote what it should"
