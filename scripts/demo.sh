#!/usr/bin/env bash
# The program's main job: installs what is missing, builds the joiner alone
# (optimised, no tests), makes three sample clips and starts Corvane.exe under
# Wine (on a virtual X display) with launch data that joins them on the fast
# MP4 route into build-demo/demo/joined.mp4. While it runs, the program's own
# window is photographed; the script ends by printing the screenshot's path
# and the joined file's details.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
started=$(date +%s)
bash scripts/setup.sh
build=$root/build-demo
bash scripts/build.sh demo "$build"

out=$build/demo
mkdir -p "$out"
echo "== making three sample clips in $out"
for i in 1 2 3; do
  ffmpeg -v error -y -f lavfi -i "testsrc=duration=4:size=640x360:rate=25" \
         -f lavfi -i "sine=frequency=$((300 * i)):duration=4" \
         -c:v libx264 -pix_fmt yuv420p -c:a aac -shortest "$out/clip$i.mp4"
done
ls -l "$out"/clip*.mp4

rm -f "$out/joined.mp4" "$out/corvane-window.png"
launch=$(bash scripts/launch-data.sh "$out/joined.mp4" "$out"/clip{1,2,3}.mp4)

echo "== joining the three clips with Corvane.exe under Wine"
set +e
bash scripts/with-wine.sh "$build/wineprefix" \
  bash "$root/scripts/run-and-photograph.sh" "$out/corvane-window.png" "Tavrel Corvane" \
  wine "$build/app/Corvane.exe" "$launch"
rc=$?
set -e
echo "Corvane.exe exited with code $rc (2 is the normal end of a launched join)"
if [ ! -s "$out/joined.mp4" ]; then
  echo "no joined file was made" >&2
  exit 1
fi
echo "== the joined file: $out/joined.mp4"
ffprobe -v error -show_entries format=format_name,duration,size:stream=codec_type,codec_name,width,height \
        -of default=noprint_wrappers=1 "$out/joined.mp4"
if [ -s "$out/corvane-window.png" ]; then
  echo "== screenshot of the window during the join: $out/corvane-window.png"
else
  echo "== no screenshot: the window was not seen" >&2
fi
echo "== done in $(( $(date +%s) - started )) s"
