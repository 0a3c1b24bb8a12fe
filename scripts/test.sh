#!/usr/bin/env bash
# Builds Velmora and runs every test. Pass -L LABEL / -LE LABEL to choose tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
ctest --test-dir "${VELMORA_BUILD_DIR:-build}" --output-on-failure -j "$(nproc)" "$@"
