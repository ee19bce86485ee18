#!/usr/bin/env bash
# Installs everything the build and the tests need on Debian 12.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends \
  cmake ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev \
  g++-mingw-w64-x86-64 wine wine64 xvfb xauth x11-utils xdotool imagemagick python3
