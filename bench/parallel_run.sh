#!/usr/bin/env bash
# Whole batch runs over the benchmark corpus (bench/make_corpus.sh: 40
# 12-megapixel JPEGs) with one and with two worker threads, beside
# GraphicsMagick doing the same work as two parallel processes: per photo a
# clone of 1600 pixels on the longest side and a thumbnail of 160 from it,
# both JPEG quality 75. Each figure is the best of a few rounds (wall time);
# the machine's load is printed with them, since other work on it slows
# every figure. On a machine shared with other sessions the scheduler gives
# each session an equal share, whatever its number of threads; as root,
#   setsid bash -c 'echo -15 > /proc/self/autogroup; exec bench/parallel_run.sh'
# lets the benchmark have the cores it asks for.
#
#   bench/parallel_run.sh [build-dir] [corpus] [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
corpus=${2:-/tmp/velmora-corpus}
rounds=${3:-3}
velmora=$PWD/$build_dir/bin/velmora
[ -x "$velmora" ] || { echo "no velmora in $build_dir/bin; build it first" >&2; exit 1; }
command -v gm >/dev/null || { echo "GraphicsMagick (gm) is missing" >&2; exit 1; }
count=$(find "$corpus" -name '*.jpg' | wc -l)
[ "$count" -gt 0 ] || { echo "no JPEGs below $corpus: run bench/make_corpus.sh first" >&2; exit 1; }

cores=$(nproc)
work=$(mktemp -d /tmp/velmora-parallel.XXXXXX)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_STATE_HOME=$work/state
# One thread per GraphicsMagick process: two processes, two cores.
export OMP_NUM_THREADS=1

now() { date +%s.%N; }
seconds_since() { awk -v a="$1" -v b="$(now)" 'BEGIN {printf "%.3f", b - a}'; }

velmora_run() {  # threads -> seconds
  rm -rf "$work/out"
  local start
  start=$(now)
  VELMORA_THREADS=$1 /usr/bin/time -f %M -o "$work/peak.$1" "$velmora" /Profile=Voreinstellung "/Basedir=$corpus" /Level=1 \
    /GENERATE_CLONES=1 "/CLONE_PATH=$work/out" /CLONE_SIZE_ORIGINAL=0 /CLONE_SELECTED_SIDE=1 /CLONE_SIZE=1600 \
    /CLONE_QUALITY=75 /THUMBNAILS=1 /THUMB_CLONE=1 /THUMB_SELECTED_SIDE=1 /THUMB_SIZE=160 /THUMB_QUALITY=75 \
    /GENERATE_HTML=0 /LAUNCH_BROWSER=0 "/Logfile=$work/run.log" >/dev/null 2>"$work/run.err" ||
    { cat "$work/run.err" >&2; exit 1; }
  seconds_since "$start"
}

gm_run() {  # -> seconds, two processes at a time
  rm -rf "$work/gm"
  mkdir -p "$work/gm"
  local start
  start=$(now)
  find "$corpus" -name '*.jpg' -print0 | xargs -0 -P 2 -I{} sh -c \
    'n=$(basename "$1" .jpg); gm convert -size 1600x1200 "$1" +profile "*" -quality 75 -resize 1600x1600 \
       -write "$2/${n}_clone.jpg" -resize 160x160 "$2/${n}_thumb.jpg"' _ {} "$work/gm"
  seconds_since "$start"
}

best() { sort -g | head -1; }

echo "$count photos in $corpus, $cores cores, best of $rounds rounds"
echo "load before: $(uptime | sed 's/.*load average: //')"
one=$(for ((r = 0; r < rounds; r++)); do velmora_run 1; done | best)
two=$(for ((r = 0; r < rounds; r++)); do velmora_run 2; done | best)
gm=$(for ((r = 0; r < rounds; r++)); do gm_run; done | best)
echo "load after:  $(uptime | sed 's/.*load average: //')"
clones=$(find "$work/out" -path "$work/out/thumbs" -prune -o -name '*.jpg' -print | wc -l)
[ "$clones" -eq "$count" ] || { echo "the run made $clones clones of $count" >&2; exit 1; }

awk -v n="$count" -v one="$one" -v two="$two" -v gm="$gm" -v p1="$(tail -1 "$work/peak.1")" \
  -v p2="$(tail -1 "$work/peak.2")" 'BEGIN {
  printf "%-34s %8.2f s  %7.1f ms/photo\n", "velmora, 1 thread", one, one * 1000 / n
  printf "%-34s %8.2f s  %7.1f ms/photo\n", "velmora, 2 threads", two, two * 1000 / n
  printf "%-34s %8.2f s  %7.1f ms/photo\n", "gm convert, 2 parallel processes", gm, gm * 1000 / n
  printf "peak memory: %.1f MB with 1 thread, %.1f MB with 2 threads\n", p1 / 1024, p2 / 1024
  printf "speed-up 2 threads / 1 thread: %.2fx (goal >= 1.8x)\n", one / two
  printf "velmora 2 threads / gm 2 processes: %.2f (goal <= 0.55)\n", two / gm
}'
