#!/bin/sh
# Builds the image pipeline benchmark corpus: 40 camera-like JPEGs of
# 4000 x 3000 pixels at quality 92 (3 to 5 MB each, sensor-like noise over
# smooth scenes) in three folders. Fixed seeds: every run builds the same files.
# usage: bench/make_corpus.sh [target folder]   (default /tmp/velmora-corpus)
set -eu
target=${1:-/tmp/velmora-corpus}
count=${COUNT:-40}
mkdir -p "$target/a" "$target/b" "$target/c"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Four scenes, grown from small plasma clouds (growing is much faster than
# drawing plasma at full size).
for s in 1 2 3 4; do
  convert -seed "$s" -size 1000x750 plasma:fractal -resize 4000x3000! "$work/scene$s.ppm"
done
i=0
while [ "$i" -lt "$count" ]; do
  folder=$(echo "a b c" | cut -d' ' -f$((i % 3 + 1)))
  scene=$((i % 4 + 1))
  noise=$(echo "0.33 0.37 0.41 0.45 0.50" | cut -d' ' -f$((i % 5 + 1)))
  out="$target/$folder/img_$(printf %03d "$i").jpg"
  if [ ! -s "$out" ]; then
    convert "$work/scene$scene.ppm" -modulate "$((90 + i % 20)),$((80 + i % 40))" -seed "$((100 + i))" \
      -attenuate "$noise" +noise Gaussian -quality 92 -sampling-factor 2x2 "$out"
  fi
  i=$((i + 1))
done
echo "corpus in $target: $(find "$target" -name '*.jpg' | wc -l) files, $(du -sh "$target" | cut -f1)"
