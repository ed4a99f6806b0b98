#!/usr/bin/env bash
# Fetches Debian's zlib source package into DEST (for minizip in the Windows
# build), unless DEST already holds it. Build trees configured at the same time
# wait for each other's fetch (a lock beside DEST).
# Uses a private apt configuration holding one deb-src line derived from the
# machine's own apt sources, so the system's configuration stays untouched.
set -euo pipefail
dest=$1
mkdir -p "$(dirname "$dest")"
exec 9>"$dest.lock"
flock 9
[ -f "$dest/contrib/minizip/unzip.c" ] && exit 0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

uri=$(grep -hs '^URIs:' /etc/apt/sources.list.d/*.sources | head -n1 | awk '{print $2}')
[ -n "$uri" ] || uri=$(grep -hs '^deb ' /etc/apt/sources.list | head -n1 | awk '{print $2}')
[ -n "$uri" ] || { echo "fetch-zlib-source: no apt source found" >&2; exit 1; }
suite=$(. /etc/os-release && echo "$VERSION_CODENAME")

mkdir -p "$work/lists/partial" "$work/src"
echo "deb-src $uri $suite main" > "$work/sources.list"
opts=(-o Dir::Etc::SourceList="$work/sources.list" -o Dir::Etc::SourceParts=- \
      -o Dir::State::Lists="$work/lists" -o APT::Get::List-Cleanup=0 -qq)
apt-get "${opts[@]}" update
(cd "$work/src" && apt-get "${opts[@]}" source zlib >/dev/null)
unpacked=$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name 'zlib-*' | head -n1)
[ -f "$unpacked/contrib/minizip/unzip.c" ] || { echo "fetch-zlib-source: minizip not found" >&2; exit 1; }
# Moved beside DEST first and renamed there, so an interrupted copy never
# looks like a complete source.
rm -rf "$dest" "$dest.partial"
mv "$unpacked" "$dest.partial"
mv "$dest.partial" "$dest"
