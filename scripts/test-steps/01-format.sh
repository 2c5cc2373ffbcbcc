#!/bin/bash
# Every tracked C++ file must be formatted as .clang-format says. Lists the files that are not
# and how to fix them; clang-format's own report of the first lines follows.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-packages lint
mapfile -t sources < <(git ls-files -- '*.cc' '*.h' '*.cpp' '*.hpp')
unformatted=()
for source in "${sources[@]}"; do
  if ! clang-format --dry-run -Werror "$source" >/dev/null 2>&1; then
    unformatted+=("$source")
  fi
done
if [ ${#unformatted[@]} -eq 0 ]; then
  echo "format: ${#sources[@]} files formatted"
  exit 0
fi
echo "format: ${#unformatted[@]} of ${#sources[@]} files are not formatted:"
printf '  %s\n' "${unformatted[@]}"
echo "format: fix with: clang-format -i ${unformatted[*]}"
clang-format --dry-run -Werror "${unformatted[@]}" 2>&1 | head -n 40
exit 1
