#!/usr/bin/env bash
# wine-slot.sh COMMAND... : runs COMMAND in the Wine slot CTest gave the test
# (see corvane_wine_select_slot in wine-env.sh); for tests that start Wine
# programs themselves instead of through the cross-compiling emulator.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
corvane_wine_select_slot
exec "$@"
