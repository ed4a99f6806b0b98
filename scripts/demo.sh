#!/usr/bin/env bash
# The program's main job, as far as it is built: installs what is missing,
# builds the Windows programs, makes three sample clips, starts Corvane.exe
# under Wine (in a virtual X display) and keeps a screenshot of its window.
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
echo "== starting Corvane.exe under Wine"
bash scripts/with-wine.sh "$root/build-win/wineprefix" bash -c '
  wine "$1" & pid=$!
  sleep 6
  import -window root "$2/corvane-window.png" || xwd -root -silent | convert xwd:- "$2/corvane-window.png"
  kill $pid 2>/dev/null; wait $pid 2>/dev/null || true' demo "$exe" "$out"
echo "screenshot of the window: $out/corvane-window.png"
