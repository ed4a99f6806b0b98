#!/usr/bin/env bash
# build-windows-ffmpeg.sh ARCH OUT
# Cross-builds a static Windows ffmpeg.exe for ARCH (x86_64 or i686) from
# Debian's FFmpeg, x264 and LAME source packages, and copies it to OUT.
#
# The result is cached per machine under the cache folder
# (CORVANE_CACHE_DIR, default ~/.cache/corvane), keyed by the three source
# versions, the cross compiler's version and this script's text (which holds
# the configure lines): it is built once (about ten minutes on two cores) and
# then only copied. Progress goes to standard output; each step's full log is
# kept beside the cached program.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
arch=${1:?usage: build-windows-ffmpeg.sh x86_64|i686 OUT}
out=${2:?usage: build-windows-ffmpeg.sh x86_64|i686 OUT}
case "$arch" in
  x86_64) triple=x86_64-w64-mingw32 ;;
  i686)   triple=i686-w64-mingw32 ;;
  *) echo "build-windows-ffmpeg: unknown architecture $arch" >&2; exit 2 ;;
esac
jobs=$(nproc)
cache=${CORVANE_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/corvane}
export CORVANE_CACHE_DIR=$cache
say() { echo "ffmpeg.exe ($arch): $*"; }

# The encoders the join routes write with, and nothing else: every decoder,
# demuxer and parser stays in, so that users' inputs open.
configure_ffmpeg() {
  local src=$1 prefix=$2
  local options=(
    # Cross-compiling a static console program for Windows.
    --arch="$arch" --target-os=mingw32 --cross-prefix="$triple-"
    --enable-static --disable-shared --pkg-config=pkg-config --pkg-config-flags=--static
    --extra-cflags="-I$prefix/include" --extra-ldflags="-L$prefix/lib -static"
    # x264 is GPL: the whole program is then distributed under the GPL.
    --enable-gpl --enable-version3
    # Only the command-line tool; no documentation, no player, no prober.
    --disable-doc --disable-ffplay --disable-ffprobe --disable-debug
    # Nothing taken from the build machine by chance: threads and zlib
    # (compressed MP4 headers, PNG and other decoders) are asked for by name.
    --disable-autodetect --enable-w32threads --enable-zlib
    # Local files only: the joiner never hands the tool an address.
    --disable-network
    # No capture devices; "lavfi" is the input the routes make silence with.
    --disable-indevs --enable-indev=lavfi --disable-outdevs
    --disable-hwaccels --disable-postproc
    # Encoders the routes name, plus the containers' defaults:
    #   MPEG-1 video + MP2   the intermediate MPEG stream ("-f mpeg")
    #   libx264 + AAC        MP4, two passes
    #   libmp3lame, msmpeg4  AVI; FLV's default sound too
    #   FLV1, ADPCM SWF      FLV's default picture (and sound without LAME)
    #   WMV2 + WMA2          WMV
    #   RV10 + AC-3          RM's defaults
    --disable-encoders
    --enable-libx264 --enable-libmp3lame
    --enable-encoder=mpeg1video,mp2,mp2fixed,libx264,aac,libmp3lame,msmpeg4v3,msmpeg4v2
    --enable-encoder=flv,adpcm_swf,wmv2,wmav2,rv10,ac3,ac3_fixed
    # Containers the routes write, and "null" for checks that write nothing.
    --disable-muxers
    --enable-muxer=mpeg1system,mp4,mov,flv,avi,rm,asf,null
    # Filters the command templates name, and those the tool itself inserts
    # (format and sample-rate conversions, trims, rotation of phone clips).
    --disable-filters
    --enable-filter=scale,pad,setsar,tpad,apad,anullsrc,fps,setpts,asetpts
    --enable-filter=aresample,aformat,format,null,anull,trim,atrim,hflip,vflip,transpose
  )
  "$src/configure" --prefix="$prefix" "${options[@]}"
}

configure_x264() {
  local src=$1 prefix=$2
  # Eight-bit encoding only (what the MP4 route writes); no command-line tool.
  "$src/configure" --host="$triple" --cross-prefix="$triple-" --prefix="$prefix" \
    --enable-static --disable-cli --disable-opencl --bit-depth=8 --chroma-format=all --disable-lavf \
    --disable-swscale --disable-ffms --disable-gpac --disable-lsmash
}

configure_lame() {
  local src=$1 prefix=$2
  "$src/configure" --host="$triple" --prefix="$prefix" --enable-static --disable-shared \
    --disable-frontend --disable-decoder --disable-gtktest
}

# Runs one step quietly into its log, printing a line every 100 lines of it
# and the log's end when it fails.
run_step() {
  local name=$1 log=$2
  shift 2
  local started=$SECONDS
  say "$name..."
  if ! "$@" >"$log" 2>&1 < /dev/null; then
    tail -n 40 "$log"
    say "$name failed; the whole log is $log"
    return 1
  fi
  say "$name done in $((SECONDS - started)) s"
}

make_with_progress() {
  local dir=$1 log=$2 target=${3:-}
  local started=$SECONDS
  say "compiling in $(basename "$dir")..."
  # Each compiled file is a line of make's output.
  if ! (make -C "$dir" -j"$jobs" $target 2>&1 < /dev/null | tee "$log" |
        awk -v tag="ffmpeg.exe ($arch)" 'NR % 200 == 0 { printf "%s: %d lines of compiler output so far\n", tag, NR; fflush() }';
        exit "${PIPESTATUS[0]}"); then
    tail -n 40 "$log"
    say "compiling failed; the whole log is $log"
    return 1
  fi
  say "compiled in $((SECONDS - started)) s"
}

versions=""
for package in ffmpeg x264 lame; do
  versions+="$package=$("$here/fetch-debian-source.sh" --version "$package");"
done
compiler=$("$triple-gcc-posix" -dumpversion)
key=$(printf '%s\n' "$versions" "$compiler" "$(cat "$0")" | sha256sum | cut -c1-16)
store=$cache/ffmpeg-win/$arch-$key
mkdir -p "$cache/ffmpeg-win"
exec 9>"$cache/ffmpeg-win/$arch.lock"
flock 9

if [ ! -f "$store/ffmpeg.exe" ]; then
  started=$SECONDS
  say "not built on this machine yet ($versions); building it once"
  src=$cache/sources
  for package in ffmpeg x264 lame; do
    version=${versions#*$package=}; version=${version%%;*}
    # An epoch's colon would end a make target's name.
    version=${version//[^A-Za-z0-9.+~-]/_}
    "$here/fetch-debian-source.sh" "$package" "$src/$package-$version"
    declare "src_$package=$src/$package-$version"
  done
  work=$store.work
  rm -rf "$work" "$store"
  mkdir -p "$work/prefix" "$work/lame" "$work/x264" "$work/ffmpeg"
  prefix=$work/prefix
  # x264 builds in its source tree (its out-of-tree build still writes
  # there): it gets a copy of its own per architecture.
  cp -a "$src_x264" "$work/x264-src"
  (cd "$work/lame" && run_step "configuring LAME" "$work/lame-configure.log" configure_lame "$src_lame" "$prefix")
  make_with_progress "$work/lame" "$work/lame-make.log"
  run_step "installing LAME" "$work/lame-install.log" make -C "$work/lame" install
  (cd "$work/x264-src" && run_step "configuring x264" "$work/x264-configure.log" configure_x264 "." "$prefix")
  make_with_progress "$work/x264-src" "$work/x264-make.log"
  run_step "installing x264" "$work/x264-install.log" make -C "$work/x264-src" install-lib-static
  export PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig PKG_CONFIG_PATH=
  (cd "$work/ffmpeg" && run_step "configuring FFmpeg" "$work/ffmpeg-configure.log" configure_ffmpeg "$src_ffmpeg" "$prefix")
  make_with_progress "$work/ffmpeg" "$work/ffmpeg-make.log" ffmpeg.exe
  mkdir -p "$store.partial"
  "$triple-strip" -o "$store.partial/ffmpeg.exe" "$work/ffmpeg/ffmpeg.exe"
  cp "$work"/*.log "$store.partial/"
  echo "$versions" >"$store.partial/versions.txt"
  mv "$store.partial" "$store"
  rm -rf "$work"
  say "built in $((SECONDS - started)) s, $(stat -c %s "$store/ffmpeg.exe") bytes"
fi

mkdir -p "$(dirname "$out")"
cp "$store/ffmpeg.exe" "$out.partial"
mv "$out.partial" "$out"
say "$out (cached as $store)"
