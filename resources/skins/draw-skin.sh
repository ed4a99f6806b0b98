#!/usr/bin/env bash
# draw-skin.sh SKIN_DIR OUT_DIR : draws the shipped skin's frame.bmp and the
# menu bar's watermark menubar.bmp (a 64 x 26 shade behind every rebar band)
# with ImageMagick into OUT_DIR and copies SKIN_DIR/skin.xml beside it. The part
# rectangles in skin.xml follow the layout drawn here (96 x 72 pixels):
#   x 0-31, y 0-29   active top row: TopLeft 0-11, Top 12-19, TopRight 20-31
#   x 0-31, y 30-59  the same, inactive
#   y 60-67          Left 0-3, Right 4-7; BottomLeft, Bottom, BottomRight 8-19 (4 high)
#   x 32-85          caption buttons, 18 x 18: rows System, Minimise, Maximise,
#                    Close; columns normal, hover, down
# The bitmap is a plain 24-bit BMP, the kind the system's bitmap loader reads.
set -euo pipefail
src=$1
out=$2
mkdir -p "$out"

active='#34506e' active_light='#6d8fb3' active_dark='#1c2b3a'
inactive='#6b7682' inactive_light='#9aa4ae'

draw=(-fill "$active" -draw 'rectangle 0,0 95,29' -draw 'rectangle 0,60 19,67' -draw 'rectangle 32,30 95,71'
      -fill "$active_light" -draw 'line 0,0 31,0'
      -fill "$inactive" -draw 'rectangle 0,30 31,59'
      -fill "$inactive_light" -draw 'line 0,30 31,30'
      -fill "$active_dark" -draw 'line 0,29 31,29' -draw 'line 0,59 31,59'
      -draw 'line 0,60 0,67' -draw 'line 7,60 7,67' -draw 'line 8,63 19,63')

# One caption button: its face in the state's colour, then its sign in white.
button() {
  local row=$1 column=$2 face=$3
  local x=$((32 + 18 * column)) y=$((18 * row))
  draw+=(-stroke none -fill "$face" -draw "roundrectangle $((x + 1)),$((y + 1)) $((x + 16)),$((y + 16)) 3,3"
         -fill white -stroke white -strokewidth 1)
  case $row in
    0) draw+=(-draw "polygon $((x + 9)),$((y + 4)) $((x + 14)),$((y + 9))
                             $((x + 9)),$((y + 14)) $((x + 4)),$((y + 9))") ;;
    1) draw+=(-draw "rectangle $((x + 5)),$((y + 11)) $((x + 12)),$((y + 12))") ;;
    2) draw+=(-fill none -draw "rectangle $((x + 5)),$((y + 5)) $((x + 12)),$((y + 12))"
              -draw "line $((x + 5)),$((y + 6)) $((x + 12)),$((y + 6))") ;;
    3) draw+=(-strokewidth 2 -draw "line $((x + 5)),$((y + 5)) $((x + 12)),$((y + 12))"
              -draw "line $((x + 12)),$((y + 5)) $((x + 5)),$((y + 12))") ;;
  esac
  draw+=(-stroke none -strokewidth 1)
}

for row in 0 1 2 3; do
  hover='#5d84ad' down='#22374d'
  [ $row = 3 ] && hover='#c0392b' down='#8e2418'
  button $row 0 '#45668a'
  button $row 1 "$hover"
  button $row 2 "$down"
done

convert -size 96x72 xc:"$active" +antialias "${draw[@]}" -type TrueColor BMP3:"$out/frame.bmp"
convert -size 64x26 gradient:"$inactive_light"-"$active_light" -type TrueColor BMP3:"$out/menubar.bmp"
cp "$src/skin.xml" "$out/skin.xml"
