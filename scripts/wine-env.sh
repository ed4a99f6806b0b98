# Sourced by the Wine helpers: a quiet, private Wine environment.
# WINEPREFIX must be set by the caller (each build tree has its own).
export WINEARCH=win64
# A test may ask for some of Wine's own checks through CORVANE_WINEDEBUG
# (tests/skin/HeapChecks.cmake: the heap's checks of freed blocks).
export WINEDEBUG=${CORVANE_WINEDEBUG:--all}
# No Mono or Gecko offers (there is no network), and no interactive debugger:
# with Wine's default debugger a crashing program may exit 0.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"

corvane_wine_prefix_init() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
  fi
}

# Wine tests run in parallel in "slots": each slot is a prefix of its own
# (registry, windows, temporary folder, wineserver) on an X display of its own,
# so tests in different slots cannot see each other's windows or settings.
# scripts/with-wine.sh prepares the slots and exports CORVANE_WINE_PREFIX_<id>
# and CORVANE_WINE_DISPLAY_<id>; CTest hands each test one slot of the
# resource "wine" in CTEST_RESOURCE_GROUP_0_WINE ("id:<id>,slots:1").
# Outside such a run (or without a slot) the caller's prefix is kept.
corvane_wine_select_slot() {
  local group=${CTEST_RESOURCE_GROUP_0_WINE:-}
  [ -n "$group" ] || return 0
  local id=${group#id:}
  id=${id%%,*}
  local prefix_var=CORVANE_WINE_PREFIX_$id display_var=CORVANE_WINE_DISPLAY_$id
  if [ -z "${!prefix_var:-}" ] || [ -z "${!display_var:-}" ]; then
    echo "wine-env: slot '$id' was not prepared by with-wine.sh" >&2
    return 1
  fi
  export WINEPREFIX=${!prefix_var} DISPLAY=${!display_var}
}
