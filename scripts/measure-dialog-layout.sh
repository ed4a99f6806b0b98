#!/usr/bin/env bash
# measure-dialog-layout.sh [BUILD_DIR] [LANGUAGE...] : where Corvane.exe puts
# its controls, per interface language (default: English, Japanese and
# Chinese Simplified). For each language it starts the joiner under Wine,
# lets dialog_layout_probe.exe print every control of the main window, the
# About dialog and the Property dialog of a sample clip
# ("LANGUAGE DIALOG ID CLASS LEFT TOP WIDTH HEIGHT", pixels), and keeps a
# picture of the main window in BUILD_DIR/dialog-layout/LANGUAGE.png.
# Needs the targets Corvane, corvane_language_packs, corvane_ffmpeg_bridge
# and dialog_layout_probe. Two runs on different font set-ups compare with
# diff.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build-win}")
[ $# -gt 0 ] && shift
languages=("$@")
[ ${#languages[@]} -gt 0 ] || languages=(English Japanese "Chinese Simplified")
out=$build/dialog-layout
mkdir -p "$out"
clip=$out/clip.mp4
[ -s "$clip" ] || ffmpeg -v error -y -f lavfi -i "testsrc=duration=2:size=160x120:rate=25" \
                         -c:v libx264 -pix_fmt yuv420p "$clip"

bash "$root/scripts/with-wine.sh" "$build/wineprefix" bash -c '
  root=$1 build=$2 out=$3 clip=$4
  shift 4
  for language; do
    wine reg add "HKCU\\Software\\Tavrel\\Corvane\\Config" /v Language /d "$language" /f >/dev/null 2>&1
    rm -f "$out/$language.png"
    bash "$root/scripts/run-and-photograph.sh" "$out/$language.png" "Tavrel Corvane" \
      wine "$build/app/Corvane.exe" >/dev/null 2>&1 &
    joiner=$!
    wine "$build/tests/dialog_layout_probe.exe" "Z:${clip//\//\\}" | sed "s/^/${language// /_} /"
    wait $joiner || true
  done' measure "$root" "$build" "$out" "$clip" "${languages[@]}"
