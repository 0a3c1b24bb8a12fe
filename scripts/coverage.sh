#!/usr/bin/env bash
# Line coverage of src/: builds the suite without optimisation and with gcov
# counters into build-cov/ (or $VELMORA_COVERAGE_BUILD_DIR), runs every test
# but the fuzz and slow ones, and prints the figure. The annotated sources
# land in <build dir>/coverage/index.html. Extra arguments go to ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${VELMORA_COVERAGE_BUILD_DIR:-build-cov}
command -v gcovr >/dev/null || { echo "gcovr is missing: run scripts/setup.sh" >&2; exit 2; }
# Counters of an earlier run would add up with this one.
[ -d "$build_dir" ] && find "$build_dir" -name '*.gcda' -delete
VELMORA_BUILD_DIR=$build_dir scripts/build.sh -DCMAKE_BUILD_TYPE=Debug -DVELMORA_BENCH=OFF \
  -DCMAKE_C_FLAGS=--coverage -DCMAKE_CXX_FLAGS=--coverage \
  -DCMAKE_EXE_LINKER_FLAGS=--coverage -DCMAKE_SHARED_LINKER_FLAGS=--coverage
# A failing test still gives a figure (of the runs that happened), and the
# script's status says that it failed.
status=0
ctest --test-dir "$build_dir" -j "$(nproc)" -LE 'fuzz|slow' "$@" || status=$?
mkdir -p "$build_dir/coverage"
gcovr --root . --object-directory "$build_dir" --filter 'src/' \
  --html-details "$build_dir/coverage/index.html" --print-summary
exit $status
