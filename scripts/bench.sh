#!/usr/bin/env bash
# The parsing benchmarks in a Release build without sanitizers, side by side
# with their peers in one run, and the speed ratios they give:
#   scripts/bench.sh [xml|parser|all]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}/release
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release \
  -DKEYSTAVE_SANITIZE=OFF -DKEYSTAVE_FUZZ=OFF -DKEYSTAVE_WINDOWS_BIN= >/dev/null
which=${1:-all}
targets=()
[ "$which" = xml ] || [ "$which" = all ] && targets+=(xml_bench)
[ "$which" = parser ] || [ "$which" = all ] && targets+=(parser_bench)
cmake --build "$build" --target "${targets[@]}" >/dev/null
for target in "${targets[@]}"; do
  "$build/$target" --benchmark_repetitions=5 --benchmark_report_aggregates_only=false \
    --benchmark_out="$build/$target.json" --benchmark_out_format=json \
    --benchmark_display_aggregates_only=true
  python3 "$here/scripts/bench-ratios.py" "$build/$target.json"
done
