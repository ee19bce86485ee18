#!/usr/bin/env bash
# Runs one Windows test command under Wine in a virtual display and a Wine
# prefix of its own, copied from TEMPLATE, so that suites can run side by
# side: their mouse, keyboard, windows and single-instance mutex never meet.
#   wine-suite.sh TEMPLATE COMMAND [ARGS...]
set -uo pipefail
template=$1
shift
prefix=$(mktemp -d /tmp/keystave-wine-suite.XXXXXX)
ready=$(mktemp /tmp/keystave-display.XXXXXX)
xvfb=
cleanup() {
  WINEPREFIX=$prefix wineserver -k 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$prefix" "$ready"
}
trap cleanup EXIT
cp -a "$template/." "$prefix/"
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
