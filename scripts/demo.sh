#!/usr/bin/env bash
# The main job: build Velmora, then turn the sample photo tree into a web
# gallery (resized clones, thumbnails, pages) with one batch run, as a photographer would:
#   velmora /Profile=Copyright /Basedir=samples /Level=1 ...
# The output goes to out/gallery in the repository (ignored by git).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
scripts/make_samples.sh
build_dir=${VELMORA_BUILD_DIR:-build}
out=$PWD/out/gallery
mkdir -p "$PWD/out"
"$build_dir"/bin/velmora --version

# The shipped "Copyright" profile (the default, "Voreinstellung", with a
# copyright line and the date taken stamped on every clone and a thin frame
# around it) with clones switched on: every photo of the sample folders (JPEG,
# PNG, GIF and TIFF) as a JPEG of at most 1024 pixels on its longer side, the
# original's file date kept, and a 200-pixel thumbnail of each, and the
# gallery pages with an index page. Photos that a camera or phone stored
# sideways come out upright. The log of the run is written beside the output.
"$build_dir"/bin/velmora /Profile=Copyright "/Basedir=$PWD/samples" /Level=1 \
  /GENERATE_CLONES=1 "/CLONE_PATH=$out" /CLONE_SELECTED_SIDE=1 /CLONE_SIZE=1024 /CLONE_QUALITY=85 \
  /CLONE_PRESERVE_DATE=1 /AUTO_ORIENT=1 /THUMBNAILS=1 /THUMB_SIZE=200 /PNG=1 /GIF=1 /TIF=1 \
  /GENERATE_INDEX=1 /LAUNCH_BROWSER=0 "/Logfile=$PWD/out/velmora.log"

echo
echo "Clones:     $out/<folder>/"
echo "Thumbnails: $out/thumbs/<folder>/"
echo "Log:        $PWD/out/velmora.log"
echo "Start page: $out/html/index.html"
