#!/usr/bin/env bash
# Makes the release files into dist/: for 64- and 32-bit Windows a portable
# ZIP and an installer, named with the version, and their SHA-256 sums.
#   package.sh [--built]  (BUILD_DIR and DIST_DIR move the build and dist/)
# --built packs what build/windows and build/windows32 hold without building
# (KEYSTAVE_WINDOWS_BIN and KEYSTAVE_WINDOWS32_BIN name other folders).
# Refuses a program that needs a DLL Windows does not bring.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
dist=${DIST_DIR:-$here/dist}

if [ "${1:-}" != --built ]; then
  "$here/scripts/build-windows.sh" x86_64
  "$here/scripts/build-windows.sh" i686
fi
bin64=${KEYSTAVE_WINDOWS_BIN:-$build/windows}
bin32=${KEYSTAVE_WINDOWS32_BIN:-$build/windows32}
version=$(sed -n 's/^#define KEYSTAVE_VERSION_TEXT "\(.*\)"$/\1/p' "$bin64/generated/version.h")
[ -n "$version" ] || { echo "package.sh: no version in version.h" >&2; exit 1; }

# DLLs of every Windows since Vista; the C and C++ runtimes are linked in.
system_dlls='^(kernel32|user32|gdi32|comctl32|comdlg32|advapi32|shell32|shlwapi|ole32|version|msvcrt)\.dll$'

rm -rf "$dist"
mkdir -p "$dist"
for folder_arch in "$bin64:win64" "$bin32:win32"; do
  folder=${folder_arch%:*}
  arch=${folder_arch##*:}
  echo "keystave.exe ($arch) imports:"
  objdump -p "$folder/keystave.exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | while read -r dll; do
    echo "  $dll"
    if ! echo "$dll" | tr '[:upper:]' '[:lower:]' | grep -Eq "$system_dlls"; then
      echo "package.sh: keystave.exe ($arch) needs $dll, which Windows does not bring" >&2
      exit 1
    fi
  done
  (cd "$folder" && cpack -G ZIP -B "$folder/package" >/dev/null)
  cp "$folder/package/keystave-$version-$arch.zip" "$folder/keystave-$version-$arch-setup.exe" "$dist/"
done
(cd "$dist" && sha256sum -- *.zip *.exe >SHA256SUMS && cat SHA256SUMS)
