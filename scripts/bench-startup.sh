#!/usr/bin/env bash
# Start-up benchmark under Wine with the simulator's sample store:
#   scripts/bench-startup.sh [RUNS] [DELAY_MS] [ENTRIES]
# With DELAY_MS every simulator command takes that long (start-up reads at once);
# with ENTRIES the store holds that many more Windows entries.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
work=$(mktemp -d /tmp/keystave-bench.XXXXXX)
trap 'WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
export WINEPREFIX=$work/prefix WINEDEBUG=-all KEYSTAVE_SIM_STORE=$work/store.txt
cp "$here/sim/sample-store.txt" "$KEYSTAVE_SIM_STORE"
cd "$build/windows"
# The prefix is made under the same display the programs then use.
xvfb-run -a -s "-screen 0 1280x900x24" sh -c \
  "wine wineboot -i >/dev/null 2>&1; wine ./startbench.exe ${1:-7} ${2:-0} ${3:-0}"
