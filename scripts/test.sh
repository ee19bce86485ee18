#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests (ASan+UBSan),
# short fuzz runs, benchmark smoke runs and the Windows tests under Wine.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
"$here/scripts/build-windows.sh"
KEYSTAVE_WINDOWS_BIN="$build/windows" "$here/scripts/build-native.sh"

WINEPREFIX=$(mktemp -d /tmp/keystave-wine.XXXXXX)
export WINEPREFIX WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
xvfb-run -a -s "-screen 0 1280x900x24" \
  ctest --test-dir "$build/native" --output-on-failure -j2
