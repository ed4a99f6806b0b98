#!/usr/bin/env bash
# Draws the updater's pictures with ImageMagick: the 87x155 banner (JPEG),
# the program icon and the failure icon. The results are committed; run this
# only to change them.
set -euo pipefail
cd "$(dirname "$0")"
convert -size 87x155 gradient:'#1d4f91-#7fb2e5' \
  -fill '#ffffff' -draw 'roundrectangle 18,40 68,90 8,8' \
  -fill '#1d4f91' -draw 'polygon 43,48 58,66 49,66 49,82 37,82 37,66 28,66' \
  -fill '#ffffff' -draw 'rectangle 10,120 76,124' -draw 'rectangle 10,130 60,134' \
  -quality 90 banner.jpg
convert -size 32x32 xc:none -fill '#1d4f91' -draw 'roundrectangle 1,1 30,30 6,6' \
  -fill '#ffffff' -draw 'polygon 16,5 27,17 20,17 20,27 12,27 12,17 5,17' \
  -define icon:auto-resize=32,16 updater.ico
convert -size 32x32 xc:none -fill '#c62828' -draw 'circle 16,16 16,2' \
  -fill '#ffffff' -draw 'rectangle 14,7 18,20' -draw 'rectangle 14,23 18,26' \
  -define icon:auto-resize=32,16 failure.ico
