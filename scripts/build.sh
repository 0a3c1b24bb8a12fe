#!/usr/bin/env bash
# Configures and builds Velmora into build/ (or $VELMORA_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
# Warnings are errors in CI (the environment variable CI set, as .ci/run does).
build_dir=${VELMORA_BUILD_DIR:-build}
werror=$([ -n "${CI:-}" ] && echo ON || echo OFF)
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${VELMORA_BUILD_TYPE:-RelWithDebInfo} \
  -DVELMORA_WERROR=$werror "$@" >/dev/null
cmake --build "$build_dir" -j "$(nproc)"
