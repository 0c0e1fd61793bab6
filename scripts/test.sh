#!/usr/bin/env bash
# Installs what is missing, builds everything and runs all tests under Wine.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" "$here/build"
"$here/scripts/with-wine.sh" --build "$here/build" \
  ctest --test-dir "$here/build" --output-on-failure "$@"
