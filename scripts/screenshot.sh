#!/usr/bin/env bash
# Takes a screenshot of keystave.exe's main window under Wine with the
# simulator's sample store: scripts/screenshot.sh [OUTPUT.png]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
out=${1:-$here/docs/main-window.png}
caption="Keystave - Boot Configuration Data Editor"
work=$(mktemp -d /tmp/keystave-shot.XXXXXX)
display=:$(( 50 + RANDOM % 400 ))
Xvfb "$display" -screen 0 1280x900x24 >/dev/null 2>&1 &
xvfb=$!
trap 'WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
export DISPLAY=$display WINEPREFIX=$work/prefix WINEDEBUG=-all KEYSTAVE_SIM_STORE=$work/store.txt
cp "$here/sim/sample-store.txt" "$KEYSTAVE_SIM_STORE"
wine wineboot -i >/dev/null 2>&1 || true
cd "$build/windows"
wine ./keystave.exe >/dev/null 2>&1 &
for _ in $(seq 1 150); do
  xwininfo -name "$caption" >/dev/null 2>&1 && break
  sleep 0.2
done
sleep 2
geometry=$(xwininfo -name "$caption" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} /Width:/{w=$2} /Height:/{h=$2} END{print w "x" h "+" x "+" y}')
import -window root -crop "$geometry" "$out"
echo "$out"
