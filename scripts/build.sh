#!/usr/bin/env bash
# build.sh native|windows|windows32|demo [BUILD_DIR] : configures and builds one configuration.
# "demo" is the Windows joiner alone (Corvane.exe, its language packs and the
# Wine ffmpeg bridge), optimised and without tests.
# CORVANE_SANITIZE=ON turns on ASan/UBSan for the native build.
# CORVANE_BUILD_TYPE picks the CMake build type (default RelWithDebInfo; the
# test run uses an empty one: no optimisation and no debug info compile fastest).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:-native}
targets=()
# The test builds trust packages signed with the test key of tests/data;
# the others get none (a build without a key refuses every package) unless
# their build folder was configured with the maker's key (README: "Signing a
# release"), which a run of this script keeps.
test_key=-DCORVANE_UPDATE_PUBLIC_KEY="$root/tests/data/test-update-key.pub.pem"
case "$kind" in
  native)    dir=${2:-$root/build-native}
             extra=(-DCORVANE_SANITIZE="${CORVANE_SANITIZE:-OFF}" "$test_key") ;;
  windows)   dir=${2:-$root/build-win}
             extra=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" "$test_key") ;;
  demo)      dir=${2:-$root/build-demo}
             extra=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCORVANE_TESTS=OFF)
             targets=(Corvane corvane_language_packs corvane_ffmpeg_bridge)
             build_type=${CORVANE_BUILD_TYPE-Release} ;;
  windows32) dir=${2:-$root/build-win32}
             extra=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" -DCORVANE_TESTS=OFF) ;;
  *) echo "usage: build.sh native|windows|windows32|demo [BUILD_DIR]" >&2; exit 2 ;;
esac
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="${build_type-${CORVANE_BUILD_TYPE-RelWithDebInfo}}" "${extra[@]}" >/dev/null
if [ ${#targets[@]} -gt 0 ]; then
  cmake --build "$dir" -j "$(nproc)" --target "${targets[@]}"
else
  cmake --build "$dir" -j "$(nproc)"
fi
