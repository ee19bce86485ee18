#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests (ASan+UBSan),
# short fuzz runs, benchmark smoke runs and the Windows tests under Wine.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
"$here/scripts/build-windows.sh" x86_64
"$here/scripts/build-windows.sh" i686
KEYSTAVE_WINDOWS_BIN="$build/windows" KEYSTAVE_WINDOWS32_BIN="$build/windows32" "$here/scripts/build-native.sh"

# Each Windows suite gets a display and a Wine prefix of its own
# (scripts/wine-suite.sh): they run side by side, mostly waiting on windows.
# The outer display serves the one-time making of the Wine prefix.
# The second pass of the window suites against the 32-bit program (label
# wine32) is left to "ctest -L wine32": the 32-bit suites cover that build.
xvfb-run -a -s "-screen 0 1280x900x24" \
  ctest --test-dir "$build/native" --output-on-failure -j6 -LE wine32
