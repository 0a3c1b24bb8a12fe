#!/usr/bin/env bash
# Velmora installed like any Debian program, run from there: the program
# finds its data in ../share/velmora, writes nothing into its read-only
# prefix, puts the default log into the user's state folder and a relative
# log into the current folder; the manual page, desktop entry, icon,
# completion and guide are in their places.
#   installed_program_test.sh tree BUILD_DIR   (cmake --install)
#   installed_program_test.sh deb  BUILD_DIR   (cpack, dpkg -x)
set -euo pipefail
mode=$1 build=$2
shift 2
scratch=$(mktemp -d)
trap 'chmod -R u+w "$scratch" 2>/dev/null; rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

case $mode in
  tree)
    prefix=$scratch/prefix/usr
    cmake --install "$build" --prefix "$prefix" >/dev/null
    ;;
  deb)
    cpack -G DEB -B "$scratch/package" --config "$build/CPackConfig.cmake" >"$scratch/cpack.log" 2>&1 ||
      { cat "$scratch/cpack.log"; fail "cpack failed"; }
    deb=$(ls "$scratch"/package/velmora_*.deb)
    depends=$(dpkg-deb -f "$deb" Depends)
    # dpkg-shlibdeps found the runtime libraries; no -dev package sneaks in.
    for library in libjpeg62-turbo libpng16 libtiff libc6; do
      [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
    done
    [[ $depends != *-dev* ]] || fail "Depends names a development package: $depends"
    contents=$(dpkg-deb -c "$deb")
    [[ $contents == *' ./usr/share/man/man1/velmora.1.gz'* ]] || fail "the manual page is not in the package"
    dpkg -x "$deb" "$scratch/prefix"
    prefix=$scratch/prefix/usr
    ;;
  *) fail "mode is tree or deb" ;;
esac

for file in bin/velmora bin/velmora-rls share/velmora/metadata.def share/velmora/profiles/Voreinstellung.vlp \
            share/velmora/profiles/Modern.vlp share/velmora/languages/English.lng \
            share/velmora/decopool/standard share/man/man1/velmora.1.gz share/man/man1/velmora-rls.1.gz \
            share/applications/velmora.desktop share/icons/hicolor/scalable/apps/velmora.svg \
            share/bash-completion/completions/velmora share/doc/velmora/reference/settings.md; do
  [[ -e $prefix/$file ]] || fail "$file is not installed"
done
[[ ! -e $prefix/bin/profiles && ! -e $prefix/bin/metadata.def ]] || fail "data lies beside the installed executable"
grep -q '^Exec=velmora' "$prefix/share/applications/velmora.desktop" || fail "desktop entry without Exec"
grep -q '^Icon=velmora$' "$prefix/share/applications/velmora.desktop" || fail "desktop entry without the icon"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/velmora.desktop" || fail "the desktop entry is not valid"
fi
if command -v xmllint >/dev/null; then
  xmllint --noout "$prefix/share/icons/hicolor/scalable/apps/velmora.svg" || fail "the icon is no well-formed SVG"
fi
MANPATH=$prefix/share/man man -w velmora >/dev/null || fail "man does not find velmora(1)"
MANWIDTH=80 MANPATH=$prefix/share/man man velmora 2>/dev/null | grep -q 'EXIT STATUS' || fail "man velmora shows no page"

# The prefix is read-only from here on (root ignores the bits, so the
# listing before and after is compared as well).
listing() { (cd "$scratch/prefix" && find . -printf '%p %s %T@\n' | sort); }
before=$(listing)
chmod -R a-w "$scratch/prefix"

photos=$scratch/photos
mkdir -p "$photos/Urlaub" "$scratch/work" "$scratch/home"
convert -size 640x480 gradient:red-blue "$photos/Urlaub/a.jpg"
convert -seed 7 -size 480x640 plasma:fractal "$photos/Urlaub/b c.jpg"
cd "$scratch/work"
run() {
  env -i PATH=/usr/bin:/bin HOME="$scratch/home" LC_ALL=C.UTF-8 "$prefix/bin/velmora" /Profile=Voreinstellung \
    "/Basedir=$photos" /Level=1 /GENERATE_CLONES=1 "/CLONE_PATH=$scratch/out" /CLONE_SELECTED_SIDE=1 \
    /CLONE_SIZE=400 /GENERATE_INDEX=1 /LAUNCH_BROWSER=0 "$@"
}
status=0
run /Logfile= || status=$?
[[ $status == 0 ]] || fail "the installed program ended with status $status"
[[ -f $scratch/out/html/index.html ]] || fail "no index page"
ls "$scratch"/out/thumbs/Urlaub/*.jpg >/dev/null 2>&1 || fail "no thumbnails"
grep -q 'Velmora Location' "$scratch/home/.local/state/velmora/Velmora.log" || fail "the default log is not in the state folder"
grep -q "Location $prefix/bin" "$scratch/home/.local/state/velmora/Velmora.log" || fail "the log names another program folder"
grep -q "Data $prefix/share/velmora" "$scratch/home/.local/state/velmora/Velmora.log" || fail "the data was not found in share/velmora"
run /Logfile=run.log || fail "second run failed"
[[ -f $scratch/work/run.log ]] || fail "a relative log name does not mean the current folder"
[[ $(listing) == "$before" ]] || fail "the run wrote into the installed prefix"
echo "installed ($mode) and ran from $prefix"
