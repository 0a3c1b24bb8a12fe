#!/usr/bin/env bash
# What a text stamp, a border and an image stamp cost a whole run: the same
# tree of camera-sized JPEGs (bench/make_corpus.sh) made into 1600-pixel
# clones with the shipped default profile and with that profile plus one of
# each, runs alternating. Reports the best and the median user + system CPU
# seconds of each and the difference; the stamps should cost at most 10 %.
#
#   bench/stamps_run.sh [build-dir] [work-dir] [images] [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
work=${2:-/tmp/velmora-stamps-run}
images=${3:-20}
rounds=${4:-5}
bin=$PWD/$build_dir/bin
[ -x "$bin/velmora" ] || { echo "no velmora in $build_dir/bin; build it first" >&2; exit 1; }

mkdir -p "$work"
COUNT=$images bench/make_corpus.sh "$work/corpus" >/dev/null
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
profiles=$XDG_DATA_HOME/velmora/profiles
mkdir -p "$profiles"

# A 240 x 120 logo with a soft transparent edge, and the three items.
convert -size 240x120 xc:none -fill 'rgba(255,255,255,0.85)' -draw 'roundrectangle 4,4 235,115 20,20' \
  -blur 0x2 "$work/logo.png"
cat >"$work/stamps.txt" <<PROFILE
STAMP_TEXT_DESCRIPTION=Copyright
STAMP_TEXT=© 2024 Anna Berg%\\{file_original} vom {date}
STAMP_TEXT_HEIGHT=24
STAMP_TEXT_POSITION=9
STAMP_TEXT_OFFSETX=-10
STAMP_TEXT_OFFSETY=-10
STAMP_TEXT_BACKGROUND=1
STAMP_TEXT_BACKGROUND_COLOR=0
BORDER_DESCRIPTION=Rahmen
BORDER_TYPE=1
BORDER_WIDTH=8
BORDER_COLOR=2105376
STAMP_IMAGE_DESCRIPTION=Logo
STAMP_IMAGE=$work/logo.png
STAMP_IMAGE_POSITION=1
STAMP_IMAGE_OPACITY=60
PROFILE
"$bin/velmora-make-profile" scripts/profiles/Voreinstellung.txt "$work/stamps.txt" "$profiles/Gestempelt.vlp"

run() {  # profile: prints the run's user + system CPU seconds
  rm -rf "$work/out"
  /usr/bin/time -f '%U %S' -o "$work/time" "$bin/velmora" "/Profile=$1" "/Basedir=$work/corpus" /Level=1 \
    /GENERATE_CLONES=1 "/CLONE_PATH=$work/out" /CLONE_SELECTED_SIDE=1 /CLONE_SIZE=1600 /THUMBNAILS=0 \
    /GENERATE_HTML=0 /LAUNCH_BROWSER=0 "/Logfile=$work/run.log" >/dev/null 2>&1
  awk '{print $1 + $2}' "$work/time"
}

plain=() stamped=()
for ((i = 0; i < rounds; i++)); do
  plain+=("$(run Voreinstellung)")
  stamped+=("$(run Gestempelt)")
done
stats() { printf '%s\n' "$@" | sort -n | awk '{v[NR] = $1} END {printf "%.3f %.3f", v[1], v[int((NR + 1) / 2)]}'; }
read -r plain_best plain_median <<<"$(stats "${plain[@]}")"
read -r stamped_best stamped_median <<<"$(stats "${stamped[@]}")"
printf 'without stamps  best %6.3f s  median %6.3f s\n' "$plain_best" "$plain_median"
printf 'with stamps     best %6.3f s  median %6.3f s\n' "$stamped_best" "$stamped_median"
awk -v a="$plain_best" -v b="$stamped_best" -v c="$plain_median" -v d="$stamped_median" \
  'BEGIN {printf "stamps cost     best %+5.1f %%  median %+5.1f %%\n", (b / a - 1) * 100, (d / c - 1) * 100}'
