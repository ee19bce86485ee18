#!/usr/bin/env bash
# Builds keystave.exe, the BCDEDIT.EXE simulator and the help file (not the
# test programs) and starts the program. Under Wine the simulator beside it
# answers, with the sample store (build/windows/bcdstore.txt, written on first
# use; delete it to start again).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
cmake -S "$here" -B "$build/windows" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release
targets="keystave bcdedit_sim"
if cmake --build "$build/windows" --target help 2>/dev/null | grep -q keystave_help; then
  targets="$targets keystave_help"
fi
cmake --build "$build/windows" --target $targets
cd "$build/windows"
export WINEDEBUG=${WINEDEBUG:--all}
# The tool the program runs: the simulator beside it (Wine's Z: drive is /),
# named as on Windows any tool but the system's own must be.
sim_path="Z:$build/windows/BCDEDIT.EXE"
export KEYSTAVE_TOOL=${KEYSTAVE_TOOL:-${sim_path//\//\\}}
if [ -n "${DISPLAY:-}" ]; then
  exec wine ./keystave.exe
fi
# No display: the program runs in a virtual one. Say so, and show it as a
# screenshot, taken once its window is up.
shot="$build/keystave-run.png"
display=:$(( 50 + RANDOM % 400 ))
Xvfb "$display" -screen 0 1280x900x24 >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
echo "No display here: Keystave runs in a virtual display ($display), invisible."
echo "Run this on a desktop (with DISPLAY set) to use it; a screenshot follows."
wine ./keystave.exe &
program=$!
for _ in $(seq 1 150); do
  xwininfo -name "Keystave - Boot Configuration Data Editor" >/dev/null 2>&1 && break
  sleep 0.2
done
sleep 2
import -window root "$shot" && echo "Screenshot of the running program: $shot"
echo "Stop it with Ctrl+C."
wait $program
