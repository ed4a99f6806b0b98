# Sourced by the Wine helpers: a quiet, private Wine environment.
# WINEPREFIX must be set by the caller (each build tree has its own).
export WINEARCH=win64
# A test may ask for some of Wine's own checks through CORVANE_WINEDEBUG
# (tests/skin/HeapChecks.cmake: the heap's checks of freed blocks).
export WINEDEBUG=${CORVANE_WINEDEBUG:--all}
# No Mono or Gecko offers (there is no network), and no interactive debugger:
# with Wine's default debugger a crashing program may exit 0.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"

# What a prefix is given beyond Wine's own start-up. A prefix records the
# level it was set up to (in corvane-prefix-level); one set up to an older
# level gets the settings again, so existing build trees follow a change.
# Raise the level whenever corvane_wine_settings changes.
corvane_prefix_level=1

# The fonts a Windows user sees. Wine's own fonts (Debian's fonts-wine:
# Tahoma, the dialogs' font, and Marlett, whose glyphs draw the caption
# buttons) lie where Wine 8 as Debian builds it does not look: the prefix
# names that folder in Wine's font path. The Japanese and Chinese language
# packs need a CJK font: WenQuanYi Micro Hei (fonts-wqy-microhei) has both
# scripts' characters and kana in one small file. Windows draws a character
# missing from Tahoma (and "MS Shell Dlg", which stands for it) with the CJK
# fonts linked behind it (FontLink\SystemLink: "MS UI Gothic", "PMingLiU",
# "SimSun", "Microsoft YaHei UI", ...); Wine's prefix has the same links, and
# the faces they name are substituted by the installed font. So the dialog
# font stays Tahoma in every language: dialog units, and with them every
# control's rectangle, do not change with the language.
corvane_wine_font_folder='Z:\\usr\\share\\wine\\fonts'
corvane_cjk_font_face="WenQuanYi Micro Hei"
corvane_cjk_linked_faces=("MS UI Gothic" "MS Gothic" "Yu Gothic UI" "PMingLiU" "SimSun"
                          "Microsoft YaHei" "Microsoft YaHei UI" "Microsoft JhengHei UI")

# The prefix's settings, as a REGEDIT4 file.
corvane_wine_settings() {
  local face
  printf 'REGEDIT4\n\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\n"ShowCrashDialog"=dword:00000000\n\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts]\n"Path"="%s"\n\n' "$corvane_wine_font_folder"
  printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\n'
  for face in "${corvane_cjk_linked_faces[@]}"; do
    printf '"%s"="%s"\n' "$face" "$corvane_cjk_font_face"
  done
}

corvane_wine_prefix_init() {
  [ "$(cat "$WINEPREFIX/corvane-prefix-level" 2>/dev/null)" = "$corvane_prefix_level" ] && return 0
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
  fi
  # One program start for all settings (each start costs about a second).
  # A prefix whose import failed stays unmarked and is set up again next time.
  corvane_wine_settings >"$WINEPREFIX/drive_c/corvane-prefix.reg"
  if wine regedit /S 'C:\corvane-prefix.reg' >/dev/null 2>&1; then
    echo "$corvane_prefix_level" >"$WINEPREFIX/corvane-prefix-level"
  fi
  wineserver -w
  rm -f "$WINEPREFIX/drive_c/corvane-prefix.reg"
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
