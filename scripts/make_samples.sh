#!/usr/bin/env bash
# Generates the sample photo tree that the README's first command turns into a
# gallery: three folders, twenty-five pictures in JPEG, PNG, GIF and TIFF,
# camera-like EXIF data on the JPEGs, one file with a non-ASCII name and one
# portrait photo stored sideways as phones store them (EXIF orientation 6).
# Everything is drawn by ImageMagick from fixed seeds, so the tree is the same
# on every machine. Does nothing when the tree is already complete.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-samples}
stamp="$out/.complete"
[ -f "$stamp" ] && exit 0

rm -rf "$out.tmp"
mkdir -p "$out.tmp/Landscapes" "$out.tmp/Macro" "$out.tmp/Travel 2024/Night"

# A "photo": a plasma fractal blurred into soft shapes, a gradient sky and a
# little noise, so that JPEG sizes and resampling behave like real pictures.
photo() {  # seed width height file
  convert -seed "$1" -size "$2x$3" plasma:fractal -blur 0x2 \
    \( -size "$2x$3" gradient:'#87b5e0-#2a4d1a' \) -compose overlay -composite \
    -seed "$1" -attenuate 0.15 +noise Gaussian -depth 8 "$4"
}

seed=1
for i in 01 02 03 04 05 06 07; do
  photo $seed 1200 800 "$out.tmp/Landscapes/landscape_$i.jpg"; seed=$((seed + 1))
done
photo $seed 800 1200 "$out.tmp/Landscapes/portrait_08.jpg"; seed=$((seed + 1))
photo $seed 640 480 "$out.tmp/Landscapes/Sonnenuntergang über dem Fjord.jpg"; seed=$((seed + 1))

for i in 1 2 3 4 5 6; do
  photo $seed 640 640 "$out.tmp/Macro/bloom_$i.png"; seed=$((seed + 1))
done
photo $seed 600 400 "$out.tmp/Macro/leaf.tif"; seed=$((seed + 1))
convert rose: -resize 300x "$out.tmp/Macro/rose.gif"

for i in 1 2 3 4; do
  photo $seed 1024 683 "$out.tmp/Travel 2024/street_$i.jpg"; seed=$((seed + 1))
done
for i in 1 2 3; do
  photo $seed 1024 683 "$out.tmp/Travel 2024/Night/lights_$i.jpg"; seed=$((seed + 1))
done
# Drawn upright, then laid on its side: the pixels as the sensor saw them.
photo $seed 768 1024 "$out.tmp/Travel 2024/phone_portrait.jpg"; seed=$((seed + 1))
mogrify -rotate 270 "$out.tmp/Travel 2024/phone_portrait.jpg"
convert -size 400x300 -seed 7 plasma:black-navy "$out.tmp/Travel 2024/Night/sky.gif"

# Camera-like metadata, fixed dates so that sorting by date is reproducible.
n=0
find "$out.tmp" -name '*.jpg' -print0 | sort -z | while IFS= read -r -d '' f; do
  n=$((n + 1))
  exiftool -q -overwrite_original -Make=Velmora -Model="Sample Camera" \
    -DateTimeOriginal="2024:06:$(printf %02d $((n % 28 + 1))) 10:$(printf %02d $n):00" \
    -ExposureTime=1/250 -FNumber=8 -ISO=200 -Artist="Velmora samples" "$f"
done

exiftool -q -overwrite_original -n -Orientation#=6 -Make=Velmora -Model="Sample Phone" \
  "$out.tmp/Travel 2024/phone_portrait.jpg"

touch "$out.tmp/.complete"
rm -rf "$out"
mv "$out.tmp" "$out"
echo "Sample photos in $out"
