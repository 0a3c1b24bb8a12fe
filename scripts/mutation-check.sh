#!/usr/bin/env bash
# Mutation check: do the tests notice when the code is wrong?
#
# Applies the mutants of scripts/mutations.txt one at a time to the source
# tree (a flipped comparison, a removed guard call, a swapped precedence
# level, a bound off by one, a dropped remake condition), rebuilds the test
# binaries the mutant names in build-mutation/ (or $VELMORA_MUTATION_BUILD_DIR;
# only the mutated object and the links change, ccache serves the rest),
# runs the tests it names, and puts the file back, also on Ctrl-C or an
# error. A mutant that makes a test fail is killed; one that leaves them
# green survived: either a test is missing, or the change cannot be seen
# from outside (scripts/mutation-report.md records which, and why).
#
# Usage: scripts/mutation-check.sh [--only REGEX] [--list] [--jobs N]
#   --only REGEX  only the mutants whose name matches (grep -E)
#   --list        print the mutants and check that each applies, build nothing
#   --jobs N      parallel build and test jobs (default 2)
# Exit status: 0 when every mutant was killed, 1 when one survived or did not
# build, 2 when the list no longer matches the code or the tests fail unmutated.
# Targets and ctest arguments are lists of words on purpose:
# shellcheck disable=SC2086
set -euo pipefail
set -f  # test selections are regular expressions, never file names
cd "$(dirname "$0")/.."

list_file=scripts/mutations.txt
build_dir=${VELMORA_MUTATION_BUILD_DIR:-build-mutation}
only=""
list_only=0
jobs=2
while [ $# -gt 0 ]; do
  case $1 in
    --only) only=$2; shift 2 ;;
    --list) list_only=1; shift ;;
    --jobs) jobs=$2; shift 2 ;;
    *) echo "unknown argument: $1 (see the head of $0)" >&2; exit 2 ;;
  esac
done

# ---- the list ----
# Blocks of "key: value" lines. "file:", "build:" (CMake targets) and
# "ctest:" (arguments selecting the tests) hold until they are set again;
# "mutant:" starts a mutant, whose "from:" text must occur exactly once in the
# file and becomes its "to:" text (empty: the snippet is deleted). A line
# starting with "|" continues the text above it on a new line.
names=() files=() builds=() ctests=() froms=() tos=()
parse_list() {
  local line key value file="" build="" ctest_args="" n=-1 last=""
  while IFS= read -r line || [ -n "$line" ]; do
    case $line in '#'* | '') continue ;; esac
    if [ "${line:0:1}" = "|" ]; then
      case $last in
        from) froms[n]+=$'\n'${line:1} ;;
        to) tos[n]+=$'\n'${line:1} ;;
        *) echo "$list_file: a continuation belongs below from: or to: ($line)" >&2; exit 2 ;;
      esac
      continue
    fi
    key=${line%%:*}
    value=${line#*:}
    value=${value# }
    case $key in
      file) file=$value ;;
      build) build=$value ;;
      ctest) ctest_args=$value ;;
      mutant)
        n=$((n + 1))
        names[n]=$value files[n]=$file builds[n]=$build ctests[n]=$ctest_args froms[n]="" tos[n]=""
        ;;
      from) froms[n]=$value ;;
      to) tos[n]=$value ;;
      *) echo "$list_file: unknown line: $line" >&2; exit 2 ;;
    esac
    last=$key
  done < "$list_file"
}
parse_list

# Replaces the one occurrence of FROM in FILE by TO, byte for byte; fails
# without writing when FROM occurs never or more than once.
substitute() {  # file from to
  python3 - "$1" "$2" "$3" <<'PY'
import os, sys
path, old, new = (os.fsencode(a) for a in sys.argv[1:4])
with open(path, "rb") as f:
    text = f.read()
count = text.count(old)
if count != 1:
    print(f"the snippet occurs {count} times", file=sys.stderr)
    sys.exit(3)
with open(path, "wb") as f:
    f.write(text.replace(old, new))
PY
}

# ---- restoring ----
backup_dir=$build_dir/mutation-backup
mutated=""  # the file that holds a mutant right now
restore() {
  if [ -n "$mutated" ]; then
    # Written, not copied with its old time: the next build must see the change.
    cat "$backup_dir/current" > "$mutated"
    rm -f "$backup_dir/current" "$backup_dir/name"
    mutated=""
  fi
}
trap restore EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

if [ -f "$backup_dir/current" ]; then
  echo "A killed earlier check left $(cat "$backup_dir/name" 2>/dev/null || echo 'a file') mutated;" \
       "its original is $backup_dir/current. Put it back, delete that file, and start again." >&2
  exit 2
fi

selected=()
for i in "${!names[@]}"; do
  if [ -z "$only" ] || grep -qE -- "$only" <<<"${names[i]}"; then selected+=("$i"); fi
done

# Every selected mutant must still fit the code before anything is built.
stale=0
for i in "${selected[@]}"; do
  scratch=$(mktemp)
  cp "${files[i]}" "$scratch"
  if ! substitute "$scratch" "${froms[i]}" "${tos[i]}" 2>/dev/null; then
    echo "STALE      ${names[i]}: its snippet is not once in ${files[i]}" >&2
    stale=1
  fi
  rm -f "$scratch"
  [ $list_only = 1 ] && printf '%-44s %s\n' "${names[i]}" "${files[i]}"
done
[ $stale = 1 ] && exit 2
[ $list_only = 1 ] && exit 0

# ---- building and testing ----
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  # Warnings stay warnings: a mutant that only warns must still be tested.
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_WERROR=OFF \
    -DVELMORA_BENCH=OFF >/dev/null
fi
mkdir -p "$backup_dir"
log_dir=$build_dir/mutation-logs
rm -rf "$log_dir"
mkdir -p "$log_dir"

build() {  # targets... ; the build's output goes to $log_dir/build.log
  cmake --build "$build_dir" -j "$jobs" --target "$@" >"$log_dir/build.log" 2>&1
}
run_tests() {  # log ctest-arguments...
  local log=$1
  shift
  ctest --test-dir "$build_dir" -j "$jobs" --timeout 120 --stop-on-failure --no-tests=error "$@" >"$log" 2>&1
}
first_failure() {  # ctest log
  grep -m1 -oE '[0-9]+ - [^ ]+ \((Failed|Timeout|SEGFAULT|Subprocess aborted|Exception|Not Run)\)' "$1" |
    sed -E 's/^[0-9]+ - //' || echo "?"
}

# The tests must pass on the code as it is, or every mutant would count as killed.
declare -A baseline_done=()
for i in "${selected[@]}"; do
  key="${builds[i]}|${ctests[i]}"
  [ -n "${baseline_done[$key]:-}" ] && continue
  baseline_done[$key]=1
  if ! build ${builds[i]}; then
    echo "The unmutated code does not build (${builds[i]}); see $log_dir/build.log" >&2
    exit 2
  fi
  if ! run_tests "$log_dir/baseline.log" ${ctests[i]}; then
    echo "The unmutated code fails its tests (${ctests[i]}): $(first_failure "$log_dir/baseline.log")" >&2
    exit 2
  fi
done

killed=0 survived=0 unbuilt=0
survivors=()
results=$build_dir/mutation-results.txt
: > "$results"
report() {  # status name detail
  printf '%-11s %-44s %s\n' "$1" "$2" "$3" | tee -a "$results"
}
started=$SECONDS
for i in "${selected[@]}"; do
  name=${names[i]} file=${files[i]}
  cp "$file" "$backup_dir/current"
  echo "$file" > "$backup_dir/name"
  mutated=$file
  substitute "$file" "${froms[i]}" "${tos[i]}"
  if ! build ${builds[i]}; then
    cp "$log_dir/build.log" "$log_dir/$name.build.log"
    report "NOT BUILT" "$name" "see $log_dir/$name.build.log"
    unbuilt=$((unbuilt + 1))
  elif run_tests "$log_dir/$name.log" ${ctests[i]}; then
    report "SURVIVED" "$name" "$file"
    survived=$((survived + 1))
    survivors+=("$name")
  else
    report "killed" "$name" "by $(first_failure "$log_dir/$name.log")"
    killed=$((killed + 1))
  fi
  restore
done

total=$((killed + survived + unbuilt))
score=$(( total > unbuilt ? 100 * killed / (total - unbuilt) : 0 ))
{
  echo
  [ ${#survivors[@]} -gt 0 ] && echo "Survivors: ${survivors[*]}"
  echo "Mutation check: $total mutants, $killed killed, $survived survived, $unbuilt not built" \
       "(score $score %, $(( (SECONDS - started) / 60 )) min)"
} | tee -a "$results"
[ $survived = 0 ] && [ $unbuilt = 0 ]
