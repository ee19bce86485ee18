#!/usr/bin/env bash
# Screenshot of a window of one of the cross-built programs under Wine, with
# the simulator's sample store:
#   scripts/screenshot.sh [OUTPUT.png] [PROGRAM.exe [ARGS...]]
# The program defaults to keystave.exe; CAPTION names the window to capture
# (the whole screen when unset and the program is not keystave.exe).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
out=${1:-$here/docs/main-window.png}
shift || true
program=${1:-keystave.exe}
shift || true
caption=${CAPTION:-}
if [ -z "$caption" ] && [ "$program" = keystave.exe ]; then
  caption="Keystave - Boot Configuration Data Editor"
fi
work=$(mktemp -d /tmp/keystave-shot.XXXXXX)
display=:$(( 50 + RANDOM % 400 ))
Xvfb "$display" -screen 0 1280x900x24 >/dev/null 2>&1 &
xvfb=$!
trap 'WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
export DISPLAY=$display WINEPREFIX=$work/prefix WINEDEBUG=-all KEYSTAVE_SIM_STORE=$work/store.txt
# SHOT_STORE: another store file to start from; SHOT_SIZE=WxH: the window's size.
cp "${SHOT_STORE:-$here/sim/sample-store.txt}" "$KEYSTAVE_SIM_STORE"
wine wineboot -i >/dev/null 2>&1 || true
# SHOT_DPI=144 or 192: the screen's dots per inch, as Windows' display scale.
if [ -n "${SHOT_DPI:-}" ]; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$SHOT_DPI" /f >/dev/null 2>&1
fi
cd "$build/windows"
wine "./$program" "$@" >/dev/null 2>&1 &
if [ -n "$caption" ]; then
  for _ in $(seq 1 150); do
    xwininfo -name "$caption" >/dev/null 2>&1 && break
    sleep 0.2
  done
fi
if [ -n "${SHOT_SIZE:-}" ] && [ -n "$caption" ]; then
  sleep 1
  xdotool search --name "^$caption\$" windowsize "${SHOT_SIZE%x*}" "${SHOT_SIZE#*x}" >/dev/null 2>&1 || true
fi
sleep "${SHOT_DELAY:-3}"
if [ -n "$caption" ] && [ -z "${SHOT_WHOLE:-}" ]; then
  geometry=$(xwininfo -name "$caption" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} /Width:/{w=$2} /Height:/{h=$2} END{print w "x" h "+" x "+" y}')
  import -window root -crop "$geometry" "$out"
else
  import -window root "$out"
fi
echo "$out"
