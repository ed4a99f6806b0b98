#!/usr/bin/env bash
# Regenerates the probe fixtures: small clips made with ffmpeg's lavfi sources,
# then the text "ffmpeg -i CLIP" prints for each (banner included, as the
# program reads it). Only the captured text is kept; the clips are deleted.
# Usage: bash make-probe-fixtures.sh [OUTPUT_DIR]   (default: this folder)
set -euo pipefail
out=$(cd "${1:-$(dirname "$0")}" && pwd)/probe
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

video="testsrc=size=160x120:rate=25:duration=2"
audio="sine=frequency=440:sample_rate=44100:duration=2"

make() {  # make NAME FILE [ffmpeg output options...]
  local name=$1 file=$2; shift 2
  ffmpeg -nostdin -hide_banner -loglevel error -y "$@" "$file"
  # The probe command exits non-zero ("At least one output file must be
  # specified"); its text is what matters.
  ffmpeg -nostdin -i "$file" >"$out/$name.txt" 2>&1 || true
  rm -f "$file"
}

lavfi_av=(-f lavfi -i "$video" -f lavfi -i "$audio")
make mp4_h264_aac    clip.mp4  "${lavfi_av[@]}" -c:v libx264 -pix_fmt yuv420p -c:a aac
make flv_h264_aac    clip.flv  "${lavfi_av[@]}" -c:v libx264 -pix_fmt yuv420p -c:a aac
make flv_flv1_mp3    clip.flv  "${lavfi_av[@]}" -c:v flv -c:a libmp3lame
make avi_mpeg4_mp3   clip.avi  "${lavfi_av[@]}" -c:v mpeg4 -c:a libmp3lame
make wmv_wmv2_wmav2  clip.wmv  "${lavfi_av[@]}" -c:v wmv2 -c:a wmav2
make webm_vp8_vorbis clip.webm "${lavfi_av[@]}" -c:v libvpx -c:a libvorbis
make mkv_h264_aac    clip.mkv  "${lavfi_av[@]}" -c:v libx264 -pix_fmt yuv420p -c:a aac
make ts_h264_aac     clip.ts   "${lavfi_av[@]}" -c:v libx264 -pix_fmt yuv420p -c:a aac
# RealVideo 1.0 wants both sides a multiple of 16.
make rm_rv10_ac3     clip.rm   "${lavfi_av[@]}" -s 176x144 -c:v rv10 -c:a ac3
make mp4_no_audio    clip.mp4  -f lavfi -i "$video" -c:v libx264 -pix_fmt yuv420p
make mp4_15fps       clip.mp4  -f lavfi -i "testsrc=size=160x120:rate=15:duration=2" \
                               -f lavfi -i "$audio" -c:v libx264 -pix_fmt yuv420p -c:a aac
make mp4_29_97fps    clip.mp4  -f lavfi -i "testsrc=size=160x120:rate=30000/1001:duration=2" \
                               -f lavfi -i "$audio" -c:v libx264 -pix_fmt yuv420p -c:a aac
make mp4_48khz       clip.mp4  -f lavfi -i "$video" -f lavfi -i "sine=sample_rate=48000:duration=2" \
                               -c:v libx264 -pix_fmt yuv420p -c:a aac
make mp4_32khz       clip.mp4  -f lavfi -i "$video" -f lavfi -i "sine=sample_rate=32000:duration=2" \
                               -c:v libx264 -pix_fmt yuv420p -c:a aac

# A file the tool cannot read at all.
printf 'not a video\n' >clip.mp4
ffmpeg -nostdin -i clip.mp4 >"$out/not_media.txt" 2>&1 || true
# A phone's clip: its capture rate is metadata, not the stream's rate.
make mp4_capture_fps clip.mp4 "${lavfi_av[@]}" -c:v libx264 -pix_fmt yuv420p -c:a aac \
                               -movflags use_metadata_tags -metadata com.android.capture.fps=30.000000
# "fps" in the file's name and in its title.
make mp4_fps_in_name "holiday 99 fps.mp4" "${lavfi_av[@]}" -c:v libx264 -pix_fmt yuv420p -c:a aac \
                               -metadata "title=slow motion at 99 fps"
