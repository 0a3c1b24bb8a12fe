#!/usr/bin/env bash
# The bash completion of velmora: setting keys after "/", profile names after
# /Profile=, for a velmora found on the PATH in an installed-like tree.
#   completion_test.sh COMPLETION_FILE
set -euo pipefail
completion=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
mkdir -p "$root/usr/bin" "$root/usr/share/velmora/profiles" "$root/data/velmora/profiles"
printf '#!/bin/sh\n' > "$root/usr/bin/velmora"
chmod +x "$root/usr/bin/velmora"
touch "$root/usr/share/velmora/profiles/Modern.vlp" "$root/usr/share/velmora/profiles/Voreinstellung.vlp" \
      "$root/data/velmora/profiles/Meine Reise.vlp"
export PATH="$root/usr/bin:$PATH" XDG_DATA_HOME="$root/data"

# shellcheck disable=SC1090
source "$completion"
failures=0

# Completes `line` as bash would (words split at blanks and "=") and
# compares the sorted replies with the expected ones.
expect() {
  local line=$1
  shift
  COMP_LINE=$line
  COMP_POINT=${#line}
  local rest=$line
  COMP_WORDS=()
  # bash splits at COMP_WORDBREAKS; "=" is one of them.
  while [[ $rest =~ ^([^=[:space:]]*)([=[:space:]]+)(.*)$ ]]; do
    COMP_WORDS+=("${BASH_REMATCH[1]}")
    [[ ${BASH_REMATCH[2]} == *=* ]] && COMP_WORDS+=("=")
    rest=${BASH_REMATCH[3]}
  done
  COMP_WORDS+=("$rest")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _velmora
  local got want
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd'|')
  want=$(printf '%s\n' "$@" | sort | paste -sd'|')
  if [[ $got != "$want" ]]; then
    echo "completing '$line': got '$got', expected '$want'"
    failures=$((failures + 1))
  fi
}

expect "velmora /THUMB_SIZ" "/THUMB_SIZE="
expect "velmora /CLONE_RENAME_M" "/CLONE_RENAME_MASK="
expect "velmora /Prof" "/Profile="
# Keys added since the classic table are in the list too.
expect "velmora /THUMB_DENS" "/THUMB_DENSITY="
# After "=", bash keeps the word before it: replies are the value alone.
expect "velmora /Profile=Mo" "Modern"
expect "velmora /Profile=" "Meine Reise" "Modern" "Voreinstellung"
expect "velmora /Level=" "0" "1" "2"
expect "velmora /THUMB_SIZE=" 
if ! grep -q "THUMB_SORTIERRICHTUNG" "$completion"; then
  echo "the setting keys were not written into $completion"
  failures=$((failures + 1))
fi
exit $((failures > 0))
