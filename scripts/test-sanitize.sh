#!/usr/bin/env bash
# Builds the test suite with AddressSanitizer and UndefinedBehaviorSanitizer
# into build-asan/ and runs it. Extra arguments go to ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
export VELMORA_BUILD_DIR=${VELMORA_BUILD_DIR:-build-asan}
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp:print_suppressions=0}
scripts/build.sh -DVELMORA_SANITIZE=ON -DVELMORA_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
ctest --test-dir "$VELMORA_BUILD_DIR" --output-on-failure -j "$(nproc)" -LE 'fuzz|slow' "$@"
