#!/bin/sh
# Turns the first photos of the JPEG benchmark corpus (make_corpus.sh: 4000 x
# 3000 pixels, 12 megapixels) into HEIC files as a phone would store them
# (HEVC, quality 50, 8 bits).
# usage: bench/make_heic_corpus.sh [JPEG corpus] [target folder]
#        (defaults /tmp/velmora-corpus and /tmp/velmora-corpus-heic; COUNT=6 photos)
set -eu
corpus=${1:-/tmp/velmora-corpus}
target=${2:-/tmp/velmora-corpus-heic}
count=${COUNT:-6}
mkdir -p "$target"
find "$corpus" -name '*.jpg' | sort | head -n "$count" | while read -r jpeg; do
  out="$target/$(basename "$jpeg" .jpg).heic"
  [ -s "$out" ] || heif-enc -q 50 "$jpeg" -o "$out" >/dev/null
done
echo "HEIC corpus in $target: $(find "$target" -name '*.heic' | wc -l) files, $(du -sh "$target" | cut -f1)"
