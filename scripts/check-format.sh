#!/usr/bin/env bash
# Fails when a C++ source or header of the project is not formatted as
# .clang-format says (clang-format --dry-run -Werror lists what differs).
set -euo pipefail
cd "$(dirname "$0")/.."
files=()
while IFS= read -r -d '' file; do
  [ -f "$file" ] && files+=("$file")
done < <(git ls-files -z --cached --others --exclude-standard -- '*.cpp' '*.h')
clang-format --dry-run -Werror "${files[@]}"
echo "Formatting checked (${#files[@]} files)."
