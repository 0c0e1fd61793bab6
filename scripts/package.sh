#!/usr/bin/env bash
# Makes the zip for Windows users: lenti.exe and the hello example (programs
# and sources), include/ and lib/ (with the CMake package files), the samples
# and the README. Builds without the tests into build-package/ (or the folder
# given); prints the zip's path.
#
#   scripts/package.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build_dir="${1:-$here/build-package}"
name=zullib-7.0-win32
stage="$build_dir/$name"

cmake -S "$here" -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-i686-posix.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DZUL_BUILD_TESTS=OFF >/dev/null
cmake --build "$build_dir" -j"$(nproc)"

rm -rf "$stage" "$build_dir/$name.zip"
cmake --install "$build_dir" --prefix "$stage" --strip >/dev/null
mv "$stage"/bin/*.exe "$stage"/ && rmdir "$stage/bin"
mkdir -p "$stage/examples"
cp -r "$here/examples/hello" "$stage/examples/"
cp -r "$here/samples" "$here/README.md" "$stage/"
(cd "$build_dir" && zip -qr "$name.zip" "$name")
echo "$build_dir/$name.zip"
