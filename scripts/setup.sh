#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Velmora needs.
# Safe to run again: apt-get only installs what is missing.
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # codecs and text
  libjpeg62-turbo-dev libjpeg-turbo-progs libpng-dev libtiff-dev libgif-dev
  libraw-dev libimagequant-dev libexpat1-dev libturbojpeg0-dev zlib1g-dev libfreetype-dev libfontconfig-dev liblua5.4-dev
  libheif-dev libwebp-dev liblcms2-dev
  fonts-liberation fonts-dejavu-core
  # script built-ins
  libpcre2-dev unixodbc unixodbc-dev libsqliteodbc odbc-mdbtools sqlite3
  # independent readers and reference tools used by tests and benchmarks
  imagemagick graphicsmagick libvips-tools libimage-exiftool-perl lua5.4 libheif-examples webp
  time hyperfine python3
  # the user guide rendered to HTML; the .deb (dpkg-shlibdeps) and its test
  python3-markdown dpkg-dev man-db desktop-file-utils libxml2-utils
  # line coverage (scripts/coverage.sh)
  gcovr
  # browser test of the generated gallery; Node for axe-core there and for
  # Lighthouse in scripts/audit-gallery.sh
  chromium chromium-driver nodejs
  # the desktop window, and an X server for its screenshots
  qt6-base-dev xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# Debian ships npm as a package of its own; other Node builds bring it along.
command -v npm >/dev/null 2>&1 || missing+=(npm)

if ((${#missing[@]})); then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update
  "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The sample photo tree that the demo run turns into a gallery.
"$(dirname "$0")/make_samples.sh"
