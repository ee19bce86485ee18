#!/usr/bin/env bash
# Cross-builds the Windows programs with MinGW-w64.
#   build-windows.sh [x86_64|i686] [CMAKE OPTIONS...]
# x86_64 (the default) builds everything into build/windows, the Windows
# tests too; i686 builds the 32-bit program, simulator, help and installer
# into build/windows32, which the 64-bit tests drive.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
arch=x86_64
case "${1:-}" in
  x86_64|i686) arch=$1; shift ;;
esac
if [ "$arch" = i686 ]; then
  folder=$build/windows32
  set -- -DKEYSTAVE_WINDOWS_TESTS=OFF "$@"
else
  folder=$build/windows
fi
# One compiler run a target's sources, not one a file: half the time.
cmake -S "$here" -B "$folder" -G Ninja -DCMAKE_UNITY_BUILD=ON \
  -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-$arch.cmake" -DCMAKE_BUILD_TYPE=Release "$@"
cmake --build "$folder"
