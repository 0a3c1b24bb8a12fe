#!/usr/bin/env bash
# The main job: build Velmora and run it in batch mode over the bundled sample photos.
# Until the run itself is in place, batch mode ends after applying its command
# line and prints the settings the run would use.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
build_dir=${VELMORA_BUILD_DIR:-build}
"$build_dir"/bin/velmora --version
base=$PWD/samples
[ -d "$base" ] || base=/tmp
"$build_dir"/bin/velmora /Profile=Voreinstellung "/Basedir=$base" /Level=1 /THUMB_SIZE=200
