#!/usr/bin/env bash
# Draws banner.png, the image of the property dialog's banner page
# (snap.htm), with ImageMagick: a blue gradient, a small film strip with a
# join arrow, and the product's name; and banner.bmp, the same picture on
# the page's white for the main window's panel where no page can be shown.
# Run from anywhere; writes next to itself. The output is committed; run
# again only to change the picture.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out="$here/banner.png"
width=320
height=64

convert -size ${width}x${height} gradient:'#1d4f91'-'#3f8fd8' \
  `# film strip: two frames, the sprocket rows, and the arrow between them` \
  -fill '#f4f7fb' -stroke none \
  -draw "roundrectangle 10,14 34,50 3,3" \
  -draw "roundrectangle 52,14 76,50 3,3" \
  -fill '#1d4f91' \
  -draw "rectangle 13,17 16,20" -draw "rectangle 13,44 16,47" \
  -draw "rectangle 28,17 31,20" -draw "rectangle 28,44 31,47" \
  -draw "rectangle 55,17 58,20" -draw "rectangle 55,44 58,47" \
  -draw "rectangle 70,17 73,20" -draw "rectangle 70,44 73,47" \
  -fill '#ffd24a' -draw "polygon 37,27 45,27 45,23 50,32 45,41 45,37 37,37" \
  `# the name and a line under it` \
  -fill white -font DejaVu-Sans-Bold -pointsize 19 -annotate +88+30 'Tavrel Corvane' \
  -fill '#dbe8f7' -font DejaVu-Sans -pointsize 11 -annotate +89+48 'Join your videos into one file' \
  -strip -define png:exclude-chunks=date,time \
  "$out"
convert "$out" -background white -flatten -type TrueColor BMP3:"$here/banner.bmp"
echo "wrote $out and banner.bmp"
