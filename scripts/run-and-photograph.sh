#!/usr/bin/env bash
# run-and-photograph.sh PNG TITLE COMMAND... : runs COMMAND on the current X
# display and, while it runs, photographs the top-level window titled TITLE
# (only that window, not the screen) into PNG every few tenths of a second.
# The picture left is the window's last look before it closed. Exits with
# COMMAND's exit code.
set -uo pipefail
png=$1 title=$2
shift 2
"$@" &
pid=$!
tmp=$png.part.png
while kill -0 "$pid" 2>/dev/null; do
  id=$(xwininfo -root -children 2>/dev/null | awk -v t="\"$title\"" 'index($0, t) {print $1; exit}')
  # A window that goes away during a grab can leave import waiting for good.
  if [ -n "$id" ] && timeout 5 import -window "$id" "$tmp" 2>/dev/null && [ -s "$tmp" ]; then
    mv -f "$tmp" "$png"
  fi
  sleep 0.2
done
rm -f "$tmp"
wait "$pid"
