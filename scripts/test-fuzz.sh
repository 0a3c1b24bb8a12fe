#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for
# its bounded time (CTest label "fuzz") over its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${VELMORA_FUZZ_BUILD_DIR:-build-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELMORA_FUZZ=ON -DVELMORA_BENCH=OFF -DVELMORA_WERROR=$([ -n "${CI:-}" ] && echo ON || echo OFF) >/dev/null
cmake --build "$build_dir" -j "$(nproc)" --target fuzz_targets
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)" -L fuzz "$@"
