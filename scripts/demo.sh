#!/usr/bin/env bash
# The main job: build Velmora and run it in batch mode over the bundled sample photos.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
build/bin/velmora --version
