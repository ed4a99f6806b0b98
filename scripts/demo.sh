#!/usr/bin/env bash
# The program's main job: installs what is missing, builds the Windows
# programs, makes three sample clips and starts Corvane.exe under Wine (in a
# virtual X display) with launch data that joins them on the fast MP4 route
# into build-win/demo/joined.mp4; then prints the joined file's details.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh
bash scripts/build.sh windows "$root/build-win"

out=$root/build-win/demo
mkdir -p "$out"
echo "== making three sample clips in $out"
for i in 1 2 3; do
  ffmpeg -v error -y -f lavfi -i "testsrc=duration=3:size=320x240:rate=25" \
         -f lavfi -i "sine=frequency=$((300 * i)):duration=3" \
         -c:v libx264 -pix_fmt yuv420p -c:a aac -shortest "$out/clip$i.mp4"
done
ls -l "$out"/clip*.mp4

exe=$root/build-win/app/Corvane.exe
if [ ! -f "$exe" ]; then
  echo "Corvane.exe is not built yet; the sample clips are ready in $out"
  exit 0
fi
rm -f "$out/joined.mp4"
# Launch data: a JSON object with "#" for each double quote, Windows paths
# (Wine maps the Unix root to drive Z:) with their backslashes doubled.
winpath() { printf 'Z:%s' "$1" | sed 's|/|\\\\|g'; }
clips=""
for i in 1 2 3; do clips="$clips${clips:+,}#$(winpath "$out/clip$i.mp4")#"; done
launch="{#VideoClipsPath#:[$clips],#OutputPath#:#$(winpath "$out/joined.mp4")#,#CurLangName#:#English#}"

echo "== joining the three clips with Corvane.exe under Wine"
set +e
bash scripts/with-wine.sh "$root/build-win/wineprefix" wine "$exe" "$launch"
rc=$?
set -e
echo "Corvane.exe exited with code $rc (2 is a normal end)"
if [ ! -s "$out/joined.mp4" ]; then
  echo "no joined file was made" >&2
  exit 1
fi
echo "== the joined file: $out/joined.mp4"
cli=$root/build-native/cli/corvane-cli
if [ -x "$cli" ]; then
  "$cli" probe "$out/joined.mp4"
else
  ffprobe -v error -show_entries format=format_name,duration,size:stream=codec_name,width,height \
          -of default=noprint_wrappers=1 "$out/joined.mp4"
fi
