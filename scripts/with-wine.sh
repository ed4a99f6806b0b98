#!/usr/bin/env bash
# with-wine.sh PREFIX COMMAND... : runs COMMAND with a private Wine prefix, under
# Xvfb, with a persistent wineserver started first (otherwise Wine's helper
# processes inherit the caller's pipes and every program start costs seconds).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX=$(realpath -m "$1"); shift
. "$here/wine-env.sh"
corvane_wine_prefix_init
export CORVANE_WINE_INNER=1
exec xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  wineserver -p
  wineboot >/dev/null 2>&1
  "$@"
  rc=$?
  wineserver -k
  exit $rc' with-wine "$@"
