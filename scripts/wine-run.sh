#!/usr/bin/env bash
# Runs one Windows program under Wine: the CMake cross-compiling emulator.
# The caller (scripts/with-wine.sh) sets WINEPREFIX and starts the wineserver.
set -u
here=$(cd "$(dirname "$0")" && pwd)
: "${WINEPREFIX:=$here/../build-win/wineprefix}"
export WINEPREFIX
. "$here/wine-env.sh"
exec wine "$@"
