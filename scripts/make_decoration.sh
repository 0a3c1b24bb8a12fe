#!/usr/bin/env bash
# Draws the navigation pictures of the "standard" decoration set with
# ImageMagick: small transparent GIFs, one per link the default templates
# name. The results are committed under data/decopool/standard/; run this
# only to change their look.
set -euo pipefail
out=${1:-"$(dirname "$0")/../data/decopool/standard"}
mkdir -p "$out"

size=24
fill='#3a5f8f'

# draw <file> <primitives...>: one picture on a transparent square.
draw() {
  local file=$1
  shift
  convert -size ${size}x${size} xc:none -fill "$fill" -stroke none "$@" \
    -define gif:version=89a "GIF:$out/$file"
}

left='polygon 16,5 16,19 6,12'
right='polygon 8,5 8,19 18,12'
draw links.gif -draw "$left"
draw rechts.gif -draw "$right"
draw seitenanfang.gif -draw 'rectangle 4,5 6,19' -draw 'polygon 18,5 18,19 8,12'
draw seitenende.gif -draw 'polygon 6,5 6,19 16,12' -draw 'rectangle 18,5 20,19'
draw pfadanfang.gif -draw 'polygon 12,5 12,19 3,12' -draw 'polygon 21,5 21,19 12,12'
draw pfadende.gif -draw 'polygon 3,5 3,19 12,12' -draw 'polygon 12,5 12,19 21,12'
draw gesamtanfang.gif -draw 'rectangle 2,5 4,19' -draw 'polygon 13,5 13,19 5,12' -draw 'polygon 21,5 21,19 13,12'
draw gesamtende.gif -draw 'polygon 3,5 3,19 11,12' -draw 'polygon 11,5 11,19 19,12' -draw 'rectangle 20,5 22,19'
draw home.gif -draw 'polygon 12,3 22,12 19,12 19,21 5,21 5,12 2,12' -fill white -draw 'rectangle 10,14 14,21'
draw index.gif -draw 'rectangle 4,4 10,10' -draw 'rectangle 14,4 20,10' -draw 'rectangle 4,14 10,20' \
  -draw 'rectangle 14,14 20,20'
ls -l "$out"
