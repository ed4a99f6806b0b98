#!/usr/bin/env bash
# The whole test run: installs what is missing, builds both configurations,
# runs the native tests (unit + e2e, with sanitizers) and the Windows tests under Wine,
# then every fuzz target for a few seconds.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh || exit 1

native=$root/build-native-test
win=$root/build-win-test

# Tests need neither optimisation nor debug info, and compile much faster without.
export CORVANE_BUILD_TYPE=
CORVANE_SANITIZE=ON bash scripts/build.sh native "$native" || exit 1
bash scripts/build.sh windows "$win" || exit 1

summary() { grep -E 'tests passed, [0-9]+ tests? failed out of' "$1" | tail -n1; }

echo "== native tests"
ctest --test-dir "$native" --output-on-failure -j2 --timeout 300 2>&1 | tee "$native/ctest.log"
native_rc=${PIPESTATUS[0]}

echo "== Windows tests under Wine"
# Two slots (each a Wine prefix and display of its own) run two tests at a time.
slots=${CORVANE_WINE_SLOTS:-2}
rm -f "$win"/wineprefix*/wine-start-retries.log
CORVANE_WINE_SLOTS=$slots bash scripts/with-wine.sh "$win/wineprefix" bash -c \
  'ctest --test-dir "$1" --output-on-failure --timeout 300 -j "$CORVANE_WINE_SLOTS" \
         --resource-spec-file "$CORVANE_WINE_RESOURCE_SPEC"' wine-tests "$win" 2>&1 | tee "$win/ctest.log"
win_rc=${PIPESTATUS[0]}

echo "== fuzz targets (a few seconds each)"
fuzz_rc=0
CORVANE_FUZZ_DIR=$root/build-fuzz-test bash scripts/fuzz.sh --ci || fuzz_rc=1

count() { sed -nE "s/.*tests passed, ([0-9]+) tests? failed out of ([0-9]+).*/\\$1/p" "$2" | tail -n1; }
nf=$(count 1 "$native/ctest.log"); nt=$(count 2 "$native/ctest.log")
wf=$(count 1 "$win/ctest.log"); wt=$(count 2 "$win/ctest.log")
failed=$(( ${nf:-0} + ${wf:-0} ))
passed=$(( ${nt:-0} + ${wt:-0} - failed ))
echo "native: $(summary "$native/ctest.log")"
echo "wine:   $(summary "$win/ctest.log")"
echo "all: $passed passed, $failed failed"
retries=$(cat "$win"/wineprefix*/wine-start-retries.log 2>/dev/null)
if [ -n "$retries" ]; then
  echo "Wine failed to start a program $(wc -l <<<"$retries") time(s); each was started once more:"
  echo "$retries"
fi
[ "$native_rc" -eq 0 ] && [ "$win_rc" -eq 0 ] && [ -n "$nt" ] && [ -n "$wt" ] && [ "$fuzz_rc" -eq 0 ]
