#!/usr/bin/env bash
# with-wine.sh PREFIX COMMAND... : runs COMMAND with a private Wine prefix, on a
# virtual X display (Xvfb), with a persistent wineserver started first
# (otherwise Wine's helper processes inherit the caller's pipes and every
# program start costs seconds).
#
# CORVANE_WINE_SLOTS=N (default 1) prepares N slots for tests that run in
# parallel: slot 0 is PREFIX, slot k is PREFIX-k, each with a display and a
# wineserver of its own. The CTest resource file describing them is written
# to PREFIX.slots.json and exported as CORVANE_WINE_SLOTS_FILE, for
#   ctest -j N --resource-spec-file "$CORVANE_WINE_SLOTS_FILE"
# COMMAND itself runs in slot 0.
#
# Two things make program starts in a slot quick and dependable:
# - X windows are unmanaged ("Managed"="N"): there is no window manager on
#   Xvfb, and Wine waits 2 s for one whenever a managed window is hidden or
#   destroyed (about 2 s of every test that shows a window).
# - A keeper process (cmd.exe reading a pipe that stays open until COMMAND
#   ends) holds each slot's desktop. Without it the desktop process ends a
#   second after each program and the next program has to start it again,
#   racing the old one while it shuts down (a CI run saw a test's dialog
#   fail to be created at all).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
base=$(realpath -m "$1"); shift
slots=${CORVANE_WINE_SLOTS:-1}
[[ "$slots" =~ ^[1-9][0-9]*$ ]] || { echo "with-wine: CORVANE_WINE_SLOTS must be a positive number" >&2; exit 2; }

slot_prefix() { if [ "$1" -eq 0 ]; then echo "$base"; else echo "$base-$1"; fi; }

work=$(mktemp -d)
xvfb_pids=()
stop_all() {
  for ((k = 0; k < slots; k++)); do
    WINEPREFIX=$(slot_prefix "$k") wineserver -k >/dev/null 2>&1 || true
  done
  [ ${#xvfb_pids[@]} -eq 0 ] || kill "${xvfb_pids[@]}" 2>/dev/null || true
  rm -rf "$work"
}
trap stop_all EXIT

# A fresh prefix takes about 10 s to create (four at once took a minute);
# the other slots start as copies of the first (it holds no path of its own),
# and are copied again when the first was set up to a newer level.
WINEPREFIX=$base corvane_wine_prefix_init
for ((k = 1; k < slots; k++)); do
  copy=$(slot_prefix "$k")
  if ! cmp -s "$base/corvane-prefix-level" "$copy/corvane-prefix-level"; then
    rm -rf "$copy"
    cp -a "$base" "$copy"
    rm -f "$copy/wine-start-retries.log"
  fi
done

# Xvfb picks a free display number itself and writes it to the given descriptor.
for ((k = 0; k < slots; k++)); do
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display$k" >/dev/null 2>&1 &
  xvfb_pids+=($!)
done
for ((k = 0; k < slots; k++)); do
  for ((i = 0; i < 100; i++)); do
    [ -s "$work/display$k" ] && break
    sleep 0.1
  done
  [ -s "$work/display$k" ] || { echo "with-wine: Xvfb did not start" >&2; exit 1; }
  export "CORVANE_WINE_PREFIX_$k=$(slot_prefix "$k")"
  export "CORVANE_WINE_DISPLAY_$k=:$(head -n1 "$work/display$k")"
done

# A server left running in a slot's prefix (a build step or "ctest -N" that
# ran a test program outside this script, or a run that was stopped) would
# keep this run's persistent server from starting: end it first.
for ((k = 0; k < slots; k++)); do
  (export WINEPREFIX=$(slot_prefix "$k")
   wineserver -k >/dev/null 2>&1 || true
   wineserver -w >/dev/null 2>&1 || true)
done

# Each slot: its wineserver, then its keeper, then wineboot, which starts
# the desktop process with no pipe of any caller (a desktop started by a
# test would hold that test's output pipe open for the whole run). The
# keepers read their pipes until this script ends (the descriptors close
# with it) or wineserver -k ends them.
pids=()
for ((k = 0; k < slots; k++)); do
  prefix_var=CORVANE_WINE_PREFIX_$k display_var=CORVANE_WINE_DISPLAY_$k
  mkfifo "$work/keeper$k"
  (export WINEPREFIX=${!prefix_var} DISPLAY=${!display_var}
   wineserver -p || true
   wine cmd.exe <"$work/keeper$k" >/dev/null 2>&1 &
   wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
   wineboot >/dev/null 2>&1) </dev/null >/dev/null 2>&1 &
  pids+=($!)
  # Opened for reading and writing, which does not wait for the keeper: a
  # keeper that never started must not hang the run.
  exec {keeper_fd}<>"$work/keeper$k"
done
wait "${pids[@]}"

slots_file=$base.slots.json
{
  printf '{"version": {"major": 1, "minor": 0}, "local": [{"wine": ['
  for ((k = 0; k < slots; k++)); do
    printf '%s{"id": "%d", "slots": 1}' "$([ "$k" -eq 0 ] || echo ', ')" "$k"
  done
  printf ']}]}\n'
} >"$slots_file"
export CORVANE_WINE_SLOTS_FILE=$slots_file CORVANE_WINE_SLOTS=$slots
export WINEPREFIX=$CORVANE_WINE_PREFIX_0 DISPLAY=$CORVANE_WINE_DISPLAY_0

set +e
"$@"
rc=$?
exit $rc
