#!/usr/bin/env bash
# Builds the tests of the run's threads (the worker pool, the image workers,
# whole runs with several threads, and the run tests) with ThreadSanitizer
# into build-tsan/ and runs them. Extra arguments go to ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${VELMORA_BUILD_DIR:-build-tsan}
export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMORA_TSAN=ON -DVELMORA_BENCH=OFF \
  -DCMAKE_CXX_FLAGS=-O1 >/dev/null
cmake --build "$build_dir" -j "$(nproc)" --target thread_pool_tests parallel_run_tests run_tests velmora_data
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)" -L 'threads|^run_tests$' "$@"
