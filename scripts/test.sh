#!/usr/bin/env bash
# The whole test run: installs what is missing, builds both configurations,
# runs the native tests (unit + e2e, with sanitizers) and the Windows tests under Wine,
# and every fuzz target for a few seconds.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
started=$SECONDS
phase_start=$SECONDS
phase_end() { echo "== $1 took $((SECONDS - phase_start)) s"; phase_start=$SECONDS; }
bash scripts/setup.sh || exit 1
phase_end "setup"

native=$root/build-native-test
win=$root/build-win-test

# Tests need neither optimisation nor debug info, and compile much faster without.
export CORVANE_BUILD_TYPE=
CORVANE_SANITIZE=ON bash scripts/build.sh native "$native" || exit 1
phase_end "native build"
bash scripts/build.sh windows "$win" || exit 1
phase_end "Windows build"

# The fuzz step builds and runs at the lowest priority beside the tests: the
# Wine tests leave a core partly idle while programs start and wait, and a
# fuzz run lasts a fixed time whatever it gets. Its log is shown at the end.
fuzz=$root/build-fuzz-test
mkdir -p "$fuzz"
CORVANE_FUZZ_DIR=$fuzz CORVANE_FUZZ_SECONDS=${CORVANE_FUZZ_SECONDS:-5} \
  CORVANE_FUZZ_TIMEOUT=60 nice -n 19 bash scripts/fuzz.sh --ci >"$fuzz/fuzz-step.log" 2>&1 &
fuzz_pid=$!

summary() { grep -E 'tests passed, [0-9]+ tests? failed out of' "$1" | tail -n1; }

echo "== native tests"
ctest --test-dir "$native" --output-on-failure -j2 --timeout 300 2>&1 | tee "$native/ctest.log"
native_rc=${PIPESTATUS[0]}
phase_end "native tests"

echo "== Windows tests under Wine"
# Four slots (each a Wine prefix and display of its own) run four tests at a time:
# most of a Wine test is waiting for programs to start, answer and end.
slots=${CORVANE_WINE_SLOTS:-4}
rm -f "$win"/wineprefix*/wine-start-retries.log
CORVANE_WINE_SLOTS=$slots bash scripts/with-wine.sh "$win/wineprefix" bash -c \
  'ctest --test-dir "$1" --output-on-failure --timeout 300 -j "$CORVANE_WINE_SLOTS" \
         --resource-spec-file "$CORVANE_WINE_SLOTS_FILE"' wine-tests "$win" 2>&1 | tee "$win/ctest.log"
win_rc=${PIPESTATUS[0]}
phase_end "Wine tests"

fuzz_rc=0
wait "$fuzz_pid" || fuzz_rc=1
echo "== fuzz targets (a few seconds each, beside the tests)"
cat "$fuzz/fuzz-step.log"
phase_end "rest of the fuzz step"

count() { sed -nE "s/.*tests passed, ([0-9]+) tests? failed out of ([0-9]+).*/\\$1/p" "$2" | tail -n1; }
nf=$(count 1 "$native/ctest.log"); nt=$(count 2 "$native/ctest.log")
wf=$(count 1 "$win/ctest.log"); wt=$(count 2 "$win/ctest.log")
failed=$(( ${nf:-0} + ${wf:-0} ))
passed=$(( ${nt:-0} + ${wt:-0} - failed ))
echo "native: $(summary "$native/ctest.log")"
echo "wine:   $(summary "$win/ctest.log")"
echo "all: $passed passed, $failed failed"
echo "fuzz: $([ "$fuzz_rc" -eq 0 ] && echo "every target ran without a finding" || echo "FAILED, see above")"
echo "whole run: $((SECONDS - started)) s"
retries=$(cat "$win"/wineprefix*/wine-start-retries.log 2>/dev/null)
if [ -n "$retries" ]; then
  echo "Wine failed to start a program $(wc -l <<<"$retries") time(s); each was started once more:"
  echo "$retries"
fi
[ "$native_rc" -eq 0 ] && [ "$win_rc" -eq 0 ] && [ -n "$nt" ] && [ -n "$wt" ] && [ "$fuzz_rc" -eq 0 ]
