#!/usr/bin/env bash
# fetch-debian-source.sh PACKAGE DEST
# Fetches Debian's source package PACKAGE (the newest of this release) into
# DEST, unless DEST already holds a complete fetch. Build trees configured at
# the same time wait for each other's fetch (a lock beside DEST).
#
# fetch-debian-source.sh --version PACKAGE
# Prints the version of PACKAGE's source that a fetch would bring.
#
# Uses a private apt configuration holding one deb-src line derived from the
# machine's own apt sources, so the system's configuration stays untouched and
# no host name is written in the repository. Its lists are kept in the cache
# folder, so a machine that has fetched once still answers --version offline.
set -euo pipefail

cache=${CORVANE_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/corvane}
apt_dir=$cache/apt-source-lists

private_apt_options() {
  opts=(-o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts=-
        -o Dir::State::Lists="$apt_dir/lists" -o APT::Get::List-Cleanup=0 -qq)
  # apt's download user cannot enter a cache folder under root's home.
  [ "$(id -u)" -ne 0 ] || opts+=(-o APT::Sandbox::User=root)
}

# Brings the private source lists up to date (at most once an hour).
update_private_lists() {
  mkdir -p "$apt_dir/lists/partial"
  local uri suite
  uri=$(grep -hs '^URIs:' /etc/apt/sources.list.d/*.sources | head -n1 | awk '{print $2}')
  [ -n "$uri" ] || uri=$(grep -hs '^deb ' /etc/apt/sources.list | head -n1 | awk '{print $2}')
  [ -n "$uri" ] || { echo "fetch-debian-source: no apt source found" >&2; return 1; }
  suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
  echo "deb-src $uri $suite main" >"$apt_dir/sources.list"
  private_apt_options
  if [ -z "$(find "$apt_dir/lists" -maxdepth 1 -name '*Sources*' -mmin -60 2>/dev/null)" ]; then
    apt-get "${opts[@]}" update || [ -n "$(find "$apt_dir/lists" -maxdepth 1 -name '*Sources*')" ]
  fi
}

source_version() {
  apt-cache "${opts[@]}" showsrc "$1" | sed -n 's/^Version: //p' | sort -V | tail -n1
}

mkdir -p "$cache"
exec 8>"$cache/apt-source-lists.lock"
flock 8

if [ "${1:-}" = "--version" ]; then
  update_private_lists
  version=$(source_version "$2")
  [ -n "$version" ] || { echo "fetch-debian-source: no source package $2" >&2; exit 1; }
  echo "$version"
  exit 0
fi

package=$1
dest=$2
[ -f "$dest/.fetched" ] && exit 0
update_private_lists
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get "${opts[@]}" source "$package" >/dev/null 2>&1) ||
  { echo "fetch-debian-source: could not fetch the source of $package" >&2; exit 1; }
unpacked=$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -n1)
[ -n "$unpacked" ] || { echo "fetch-debian-source: $package unpacked nothing" >&2; exit 1; }
touch "$unpacked/.fetched"
# Moved beside DEST first and renamed there, so an interrupted copy never
# looks like a complete source.
mkdir -p "$(dirname "$dest")"
rm -rf "$dest" "$dest.partial"
mv "$unpacked" "$dest.partial"
mv "$dest.partial" "$dest"
