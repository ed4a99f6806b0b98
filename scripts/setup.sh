#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo need.
# Idempotent: packages already present are not touched, and apt is only
# consulted when something is missing.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ pkg-config dpkg-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64 wine64-tools xvfb x11-apps x11-utils imagemagick
  # Wine's own fonts (Tahoma, Marlett: the dialogs and the caption buttons)
  # and one small CJK font for the Japanese and Chinese packs (5 MB, both
  # scripts and kana; scripts/wine-env.sh puts it behind the dialog fonts).
  fonts-wine fonts-wqy-microhei
  libboost1.81-dev libz-mingw-w64-dev libminizip-dev zlib1g-dev libssl-dev
  openssl
  googletest ffmpeg nsis python3
  p7zip-full
  clang-14 libclang-rt-14-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
echo "setup: all packages present"
