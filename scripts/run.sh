#!/usr/bin/env bash
# Builds keystave.exe and starts it. Under Wine the BCDEDIT.EXE simulator
# beside it answers, with the sample store (build/windows/bcdstore.txt,
# written on first use; delete it to start again).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
"$here/scripts/build-windows.sh"
cd "$build/windows"
export WINEDEBUG=${WINEDEBUG:--all}
if [ -n "${DISPLAY:-}" ]; then
  exec wine ./keystave.exe
else
  echo "No DISPLAY: starting under a virtual display (xvfb-run)." >&2
  exec xvfb-run -a -s "-screen 0 1280x900x24" wine ./keystave.exe
fi
