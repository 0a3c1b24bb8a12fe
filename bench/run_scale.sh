#!/usr/bin/env bash
# Scale benchmark of a whole batch run: a tree of small photos (one JPEG
# hard-linked into every place, so the tree costs seconds to make), run at
# level 1 with clones and thumbnails, once at a quarter of the size and once
# at full size, then again over the full tree with everything up to date.
# Reports wall time, time per image and peak memory of each run; the time per
# image should stay flat from the small to the big tree (linear scan, sort
# and run), and the peak memory under 200 MB.
#
#   bench/run_scale.sh [build-dir] [work-dir] [directories] [images-per-directory]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
work=${2:-/tmp/velmora-scale}
dirs=${3:-200}
per_dir=${4:-100}
velmora=$PWD/$build_dir/bin/velmora
[ -x "$velmora" ] || velmora=$build_dir/bin/velmora
[ -x "$velmora" ] || { echo "no velmora in $build_dir/bin; build it first" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work"
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data

make_tree() {  # folder directories images-per-directory
  local root=$1 n=$2 m=$3
  mkdir -p "$root"
  convert -size 160x120 plasma:fractal -seed 5 -quality 85 "$root/.photo.jpg"
  # One album of hard links, then hard-linked copies of it: a few hundred
  # processes instead of one per file.
  local first
  first=$(printf '%s/Album %03d' "$root" 1)
  mkdir -p "$first"
  for ((i = 1; i <= m; i++)); do ln "$root/.photo.jpg" "$(printf '%s/IMG_%05d.jpg' "$first" "$i")"; done
  for ((d = 2; d <= n; d++)); do cp -al "$first" "$(printf '%s/Album %03d' "$root" "$d")"; done
}

run() {  # label base out
  local label=$1 base=$2 out=$3
  local stats="$work/$label.time"
  /usr/bin/time -v "$velmora" /Profile=Voreinstellung "/Basedir=$base" /Level=1 \
    /GENERATE_CLONES=1 "/CLONE_PATH=$out" /CLONE_SIZE_ORIGINAL=0 /CLONE_SELECTED_SIDE=1 /CLONE_SIZE=100 /CLONE_ONLY_IF_NEWER=1 \
    /THUMBNAILS=1 /THUMB_SIZE=40 /GENERATE_HTML=0 /LAUNCH_BROWSER=0 "/Logfile=$work/$label.log" \
    2>"$stats" >/dev/null || { tail -20 "$stats" >&2; exit 1; }
  local images seconds rss
  images=$(grep -o 'Bilder: [0-9]*\|Images: [0-9]*' "$stats" | head -1 | grep -o '[0-9]*')
  seconds=$(awk -F': ' '/Elapsed \(wall clock\)/ {n = split($2, t, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + t[i]; print s}' "$stats")
  rss=$(awk -F': ' '/Maximum resident set size/ {printf "%.1f", $2 / 1024}' "$stats")
  printf '%-22s %6s images  %8.2f s  %7.3f ms/image  peak %6s MB\n' "$label" "$images" "$seconds" \
    "$(awk -v s="$seconds" -v n="$images" 'BEGIN {print s * 1000 / n}')" "$rss"
}

small_dirs=$((dirs / 4))
echo "Making trees: $small_dirs x $per_dir and $dirs x $per_dir images in $work"
start=$(date +%s.%N)
make_tree "$work/small" "$small_dirs" "$per_dir"
make_tree "$work/photos" "$dirs" "$per_dir"
echo "  made in $(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN {printf "%.1f", b - a}') s"

run "quarter tree" "$work/small" "$work/out-small"
run "full tree" "$work/photos" "$work/out"
run "full tree, up to date" "$work/photos" "$work/out"
echo "Clones: $(find "$work/out" -path "$work/out/thumbs" -prune -o -type f -print | wc -l), thumbnails: $(find "$work/out/thumbs" -type f | wc -l)"
