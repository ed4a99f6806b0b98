#!/usr/bin/env bash
# Benchmark: corvane-cli against the same FFmpeg work done directly.
#   fast route: corvane-cli join --fast  vs  ffmpeg -f concat -safe 0 -c copy
#               (corvane-cli also describes the inputs first and checks the result)
#   MPEG route: corvane-cli join (FLV)   vs  the same ffmpeg commands run back to back by this shell
# Runs alternate; the median of the per-pair ratios is printed.
# usage: bench-join.sh [BUILD_DIR] [RUNS]   (BUILD_DIR holds cli/corvane-cli; default build-native)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-native}
runs=${2:-5}
seconds=${BENCH_SECONDS:-20}   # length of each input clip
cli=$build/cli/corvane-cli
[ -x "$cli" ] || { echo "build corvane-cli first: bash scripts/build.sh native" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for i in 1 2; do
  ffmpeg -v error -y -f lavfi -i "testsrc=duration=$seconds:size=320x240:rate=25" \
         -f lavfi -i "sine=frequency=$((300 * i)):duration=$seconds" -ar 44100 \
         -c:v libx264 -pix_fmt yuv420p -c:a aac -shortest "$work/in$i.mp4"
done

now() { date +%s.%N; }
elapsed() { awk -v a="$(now)" -v b="$1" 'BEGIN {print a - b}'; }

fast_cli() { "$cli" join --fast -o "$work/cli.mp4" "$work/in1.mp4" "$work/in2.mp4" >/dev/null 2>&1; }
fast_raw() {
  printf "file '%s'\nfile '%s'\n" "$work/in1.mp4" "$work/in2.mp4" > "$work/list.txt"
  ffmpeg -v error -f concat -safe 0 -i "$work/list.txt" -f mp4 -c copy -y "$work/raw.mp4"
  rm -f "$work/list.txt"
}
mpeg_cli() { "$cli" join -o "$work/cli.flv" "$work/in1.mp4" "$work/in2.mp4" >/dev/null 2>&1; }
# The same intermediates the joiner makes: one size, rate and sound format,
# picture and sound padded to the input's length.
to_mpeg() {
  ffmpeg -v error -i "$1" -map 0:v:0 -map 0:a:0 \
    -vf "scale=320:240:force_original_aspect_ratio=decrease,pad=320:240:(ow-iw)/2:(oh-ih)/2,setsar=1,tpad=stop=-1:stop_mode=clone" \
    -af apad -t "$seconds" -r 25 -ar 44100 -ac 2 -q:v 1 -f mpeg -y "$2"
}
mpeg_raw() {
  to_mpeg "$work/in1.mp4" "$work/in1.xbv"
  to_mpeg "$work/in2.mp4" "$work/in2.xbv"
  cat "$work/in1.xbv" "$work/in2.xbv" > "$work/in1_all.xbv"
  ffmpeg -v error -f mpeg -i "$work/in1_all.xbv" -q:v 1 -ar 44100 -f flv -y "$work/raw.flv"
  rm -f "$work"/*.xbv
}

median() { sort -g | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }

measure() {
  local name=$1 ours=$2 theirs=$3 ratios=()
  $ours; $theirs   # warm the caches once
  for _ in $(seq "$runs"); do
    local t=$(now); $ours; local a=$(elapsed "$t")
    t=$(now); $theirs; local b=$(elapsed "$t")
    ratios+=("$(awk -v a="$a" -v b="$b" 'BEGIN {print a / b}')")
    printf '%s: corvane-cli %.2fs, direct %.2fs\n' "$name" "$a" "$b"
  done
  printf '%s median ratio: %.3f\n' "$name" "$(printf '%s\n' "${ratios[@]}" | median)"
}

measure "fast route" fast_cli fast_raw
measure "MPEG route" mpeg_cli mpeg_raw
