#!/usr/bin/env bash
# bench-reply-time.sh [BUILD_DIR] [MEGABYTES] : how quickly Corvane's window
# answers during a fast join of large files. Makes three clips of about
# MEGABYTES/3 MB each (default 300 MB in all), starts Corvane.exe under Wine
# with launch data that joins them on the fast MP4 route, and meanwhile lets
# reply_time_bench.exe send the window a message every 100 ms and time the
# replies. Prints the reply figures and the join's wall time.
#
# bench-reply-time.sh [BUILD_DIR] stalled : the same while the job waits for
# an input that does not answer. The second input of an AVI job (launch
# data) is a named pipe that nobody writes, as a share that stopped
# answering behaves; the window is measured for 15 s once it appears
# (replies every 100 ms, the slowest and the 95th percentile), then closed,
# and the time the program takes to end is printed. Nothing of the job may
# be left behind.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build-win}")
megabytes=${2:-300}
work=$build/bench-reply
mkdir -p "$work"

if [ "$megabytes" = stalled ]; then
  stalled=$work/stalled
  rm -rf "$stalled"
  mkdir -p "$stalled"
  ffmpeg -v error -y -f lavfi -i testsrc=size=320x240:rate=25:duration=4 -f lavfi -i sine=duration=4 \
         -c:v libx264 -pix_fmt yuv420p -c:a aac -shortest "$stalled/first.mp4"
  mkfifo "$stalled/second.mp4"  # opened by the probe, never written
  launch=$(bash "$root/scripts/launch-data.sh" "$stalled/joined.avi" "$stalled/first.mp4" "$stalled/second.mp4")
  bash "$root/scripts/with-wine.sh" "$build/wineprefix" bash -c '
    wine "$1/tests/reply_time_bench.exe" 15 & bench=$!
    started=$(date +%s.%N)
    # A program that does not end after its Close is ended here, and said so.
    timeout 90 wine "$1/app/Corvane.exe" "$2" || echo "Corvane.exe: exit code $?"
    echo "Corvane.exe ended $(echo "$(date +%s.%N) - $started" | bc) s after it started"
    wait $bench' bench "$build" "$launch"
  left=$(find "$stalled" -mindepth 1 ! -name first.mp4 ! -name second.mp4)
  if [ -n "$left" ]; then echo "left behind by the job:"; echo "$left"; else echo "nothing of the job was left behind"; fi
  rm -rf "$stalled"
  exit 0
fi
seconds=40
rate=$(( megabytes * 8 / 3 / seconds ))  # Mbit/s for one clip of MEGABYTES/3 MB
if [ ! -s "$work/clip1.mp4" ] || [ "$(cat "$work/size" 2>/dev/null)" != "$megabytes" ]; then
  echo "== making three clips of about $((megabytes / 3)) MB"
  # Noise keeps the picture from compressing below the asked rate.
  ffmpeg -v error -y -f lavfi -i "testsrc2=duration=$seconds:size=1280x720:rate=30,noise=alls=60:allf=t" \
         -f lavfi -i "sine=duration=$seconds" -c:v libx264 -preset ultrafast -b:v "${rate}M" \
         -minrate "${rate}M" -maxrate "${rate}M" -bufsize "${rate}M" -c:a aac -shortest "$work/clip1.mp4"
  cp "$work/clip1.mp4" "$work/clip2.mp4"
  cp "$work/clip1.mp4" "$work/clip3.mp4"
  echo "$megabytes" >"$work/size"
fi
ls -l "$work"/clip*.mp4
rm -f "$work/joined.mp4"
launch=$(bash "$root/scripts/launch-data.sh" "$work/joined.mp4" "$work"/clip{1,2,3}.mp4)
bash "$root/scripts/with-wine.sh" "$build/wineprefix" bash -c '
  wine "$1/tests/reply_time_bench.exe" & bench=$!
  started=$(date +%s.%N)
  wine "$1/app/Corvane.exe" "$2"
  echo "Corvane.exe exited with code $? after $(echo "$(date +%s.%N) - $started" | bc) s"
  wait $bench' bench "$build" "$launch"
ls -l "$work/joined.mp4"
