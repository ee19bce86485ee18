#!/usr/bin/env bash
# Configures and builds the native (Linux) tree: core, tests, fuzzers, benchmarks.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
cmake -S "$here" -B "$build/native" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DKEYSTAVE_WINDOWS_BIN="${KEYSTAVE_WINDOWS_BIN-$build/windows}" "$@"
cmake --build "$build/native"
