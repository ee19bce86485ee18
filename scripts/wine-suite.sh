#!/usr/bin/env bash
# Runs one Windows test command under Wine in a virtual display and a Wine
# prefix of its own, copied from TEMPLATE, so that suites can run side by
# side: their mouse, keyboard, windows and single-instance mutex never meet.
#   wine-suite.sh TEMPLATE COMMAND [ARGS...]
set -uo pipefail
template=$1
shift
# Beside the template, on its file system, so that its files can be linked.
prefix=$(mktemp -d "$(dirname "$template")/wine-suite.XXXXXX")
ready=$(mktemp /tmp/keystave-display.XXXXXX)
xvfb=
cleanup() {
  WINEPREFIX=$prefix wineserver -k 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$prefix" "$ready"
}
trap cleanup EXIT
# The system folders, nine tenths of the prefix's 1.3 GB, are only read:
# they are linked, not copied. Every other file gets a copy of its own, as
# Wine writes some in place (win.ini, the registry).
if cp -al "$template/." "$prefix/" 2>/dev/null; then
  (cd "$template" && find . -type f ! -path './drive_c/windows/system32/*' ! -path './drive_c/windows/syswow64/*' \
     ! -path './drive_c/windows/winsxs/*' -print0) |
    while IFS= read -r -d '' file; do cp -p --remove-destination "$template/$file" "$prefix/$file"; done
else
  rm -rf "$prefix" && mkdir -p "$prefix" && cp -a "$template/." "$prefix/"
fi
# A second fixed drive, D:, as most PCs with two Windows have: the wizard's
# tests put a Windows and a boot sector file there.
mkdir -p "$prefix/drive_d"
ln -sfn ../drive_d "$prefix/dosdevices/d:"
# Xvfb picks a free display itself and says which once it takes connections.
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$ready" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 1 200); do
  [ -s "$ready" ] && break
  sleep 0.05
done
if [ ! -s "$ready" ]; then
  echo "wine-suite.sh: Xvfb did not start" >&2
  exit 1
fi
export DISPLAY=":$(tr -dc 0-9 <"$ready")" WINEPREFIX=$prefix WINEDEBUG=-all
"$@"
