#!/usr/bin/env bash
# Fails when a C++ source or header of the project is not formatted as
# .clang-format says (clang-format --dry-run -Werror lists what differs).
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z --cached --others --exclude-standard -- '*.cpp' '*.h' |
  xargs -0 clang-format --dry-run -Werror
echo "Formatting checked."
