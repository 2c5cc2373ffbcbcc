#!/bin/bash
# Checks every shell script in scripts/ and .ci/run, and the bash completion, with shellcheck.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-packages lint
mapfile -t scripts < <(
  git ls-files -- scripts .ci/run | while read -r file; do
    if head -n 1 "$file" | grep -qE '^#!.*\b(ba)?sh\b'; then echo "$file"; fi
  done
  echo packaging/trelvan-cli.bash
)
shellcheck --external-sources "${scripts[@]}"
echo "shellcheck: ${#scripts[@]} scripts clean"
