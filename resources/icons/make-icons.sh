#!/usr/bin/env bash
# Draws the six command icons of the main window's list buttons (16x16 and
# 32x32 in one .ico each) with ImageMagick. Run again after changing a shape;
# the .ico files are kept in the tree.
set -euo pipefail
cd "$(dirname "$0")"
draw() {  # name, fill colour, drawing primitives (on a 32x32 canvas)
  convert -size 32x32 xc:none -fill "$2" -stroke "$3" -strokewidth 2 -draw "$4" "/tmp/corvane-icon-$1-32.png"
  convert "/tmp/corvane-icon-$1-32.png" -resize 16x16 "/tmp/corvane-icon-$1-16.png"
  convert "/tmp/corvane-icon-$1-16.png" "/tmp/corvane-icon-$1-32.png" "$1.ico"
  rm -f "/tmp/corvane-icon-$1-16.png" "/tmp/corvane-icon-$1-32.png"
}
draw MoveUp '#3b7dd8' '#1d4f99' "polygon 16,3 29,17 21,17 21,29 11,29 11,17 3,17"
draw MoveDown '#3b7dd8' '#1d4f99' "polygon 16,29 29,15 21,15 21,3 11,3 11,15 3,15"
draw Play '#2e9e48' '#1b6b2f' "polygon 8,4 28,16 8,28"
draw Add '#2e9e48' '#1b6b2f' "polygon 13,3 19,3 19,13 29,13 29,19 19,19 19,29 13,29 13,19 3,19 3,13 13,13"
draw Remove '#d23c3c' '#8f1f1f' "polygon 3,13 29,13 29,19 3,19"
draw Property '#3b7dd8' '#1d4f99' "circle 16,16 16,2"
# The program's own icon (resource 128): a film strip joined by a bar.
convert -size 32x32 xc:none -fill '#2b2b2b' -draw "roundrectangle 2,6 29,25 3,3" \
        -fill '#f0c040' -draw "rectangle 5,9 14,22" -fill '#40a0f0' -draw "rectangle 17,9 26,22" \
        -fill white -draw "rectangle 13,14 18,17" /tmp/corvane-icon-app-32.png
convert /tmp/corvane-icon-app-32.png -resize 16x16 /tmp/corvane-icon-app-16.png
convert /tmp/corvane-icon-app-16.png /tmp/corvane-icon-app-32.png Corvane.ico
rm -f /tmp/corvane-icon-app-16.png /tmp/corvane-icon-app-32.png
