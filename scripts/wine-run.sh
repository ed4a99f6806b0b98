#!/usr/bin/env bash
# Runs one Windows program under Wine: the CMake cross-compiling emulator.
# The caller (scripts/with-wine.sh) sets WINEPREFIX and starts the wineserver.
#
# Once in a few thousand starts Wine fails to start a program at all: it
# exits at once, nonzero, before the program has written a byte (a CI run saw
# a test "fail" in 0.01 s with no output, where starting Wine alone takes
# longer). Every test program writes its banner and flushes it before any
# test runs, so a run that wrote nothing to stdout never reached the program's
# own code; such a run is started once more. The retry is announced on stderr
# and counted in $WINEPREFIX/wine-start-retries.log, which scripts/test.sh
# reports. A program that fails after writing anything is never run again.
set -u
here=$(cd "$(dirname "$0")" && pwd)
: "${WINEPREFIX:=$here/../build-win/wineprefix}"
export WINEPREFIX
. "$here/wine-env.sh"
corvane_wine_select_slot || exit 1

# Both outputs go through files, never the caller's pipes: a Wine helper the
# program starts (the desktop process) would inherit a pipe and hold it open
# after the program ended, and CTest would wait for it.
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

for attempt in 1 2; do
  started=$(date +%s%N)
  wine "$@" >"$out" 2>"$err"
  rc=$?
  cat "$out"
  cat "$err" >&2
  if [ "$rc" -eq 0 ] || [ -s "$out" ] || [ "$attempt" -eq 2 ]; then
    exit "$rc"
  fi
  elapsed_ms=$(( ($(date +%s%N) - started) / 1000000 ))
  message="wine-run: '$*' exited with code $rc after $elapsed_ms ms without writing anything; Wine did not start it, starting it once more"
  echo "$message" >&2
  echo "$(date -u +%FT%TZ) $message" >>"$WINEPREFIX/wine-start-retries.log"
done
