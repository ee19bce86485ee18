#!/usr/bin/env bash
# Configures and builds the native (Linux) tree: core, tests, fuzzers, benchmarks.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
# One compiler run a target's sources, not one a file: half the time.
cmake -S "$here" -B "$build/native" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_UNITY_BUILD=ON \
  -DKEYSTAVE_WINDOWS_BIN="${KEYSTAVE_WINDOWS_BIN-$build/windows}" \
  -DKEYSTAVE_WINDOWS32_BIN="${KEYSTAVE_WINDOWS32_BIN-$build/windows32}" "$@"
cmake --build "$build/native"
