#!/bin/bash
# shellcheck on every shell script in scripts/ and on .ci/run.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-packages lint
mapfile -t scripts < <(
  git ls-files -- scripts .ci/run | while read -r file; do
    if head -n 1 "$file" | grep -qE '^#!.*\b(ba)?sh\b'; then echo "$file"; fi
  done
)
shellcheck --external-sources "${scripts[@]}"
echo "shellcheck: ${#scripts[@]} scripts clean"
