#!/usr/bin/env bash
# Configures and builds ZULLIB, the lenticular test bench and the tests with
# the MinGW-w64 cross compiler, into build/ (or the folder given).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build_dir="${1:-$here/build}"
cmake -S "$here" -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-i686-posix.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
