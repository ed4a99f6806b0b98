# Sourced by the Wine helpers: a quiet, private Wine environment.
# WINEPREFIX must be set by the caller (each build tree has its own).
export WINEARCH=win64
export WINEDEBUG=-all
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
