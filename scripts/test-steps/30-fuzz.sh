#!/bin/bash
# Builds the fuzz targets with clang and runs the three side by side for a minute each, from
# their seed corpora with a fixed seed; any finding fails the step (scripts/fuzz for more).
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-packages core robustness
seconds=${TRELVAN_FUZZ_SECONDS:-60}
scripts/fuzz --build-only
export TRELVAN_FUZZ_SKIP_BUILD=1
targets=(abo_to_dbf dbf_to_abo round_trip)
pids=()
for target in "${targets[@]}"; do
  scripts/fuzz "$target" "$seconds" >"build-fuzz/$target.log" 2>&1 &
  pids+=($!)
done
failed=0
for i in "${!targets[@]}"; do
  target=${targets[$i]}
  if wait "${pids[$i]}"; then
    echo "$target: $(grep -h 'stat::number_of_executed_units' "build-fuzz/$target.log")"
  else
    failed=1
    echo "$target: FINDING"
    tail -n 60 "build-fuzz/$target.log"
  fi
done
exit $failed
