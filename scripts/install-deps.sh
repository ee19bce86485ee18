#!/usr/bin/env bash
# Installs everything the build and the tests need on Debian 12.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
# Wine's 32-bit side runs the 32-bit program and the installers (NSIS makes
# 32-bit ones): it comes from the i386 architecture.
dpkg --add-architecture i386
apt-get update
apt-get install -y --no-install-recommends \
  cmake ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev \
  libpugixml-dev libtinyxml2-dev \
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 nsis \
  wine wine64 wine32:i386 xvfb xauth x11-utils xdotool imagemagick python3

# The HTML Help compiler comes with Free Pascal's utilities; only its one
# self-contained binary is needed, not the 200 MB of sources the package pulls.
if ! command -v chmcmd-3.2.2 >/dev/null 2>&1; then
  work=$(mktemp -d)
  (cd "$work" && apt-get download fp-utils-3.2.2 && dpkg -x fp-utils-3.2.2_*.deb unpacked)
  install -m 755 "$work/unpacked/usr/bin/chmcmd-3.2.2" /usr/local/bin/chmcmd-3.2.2
  rm -rf "$work"
fi
