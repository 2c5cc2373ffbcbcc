#!/bin/bash
# The benchmarks only compile here; running them is scripts/bench (heavy: a 170 MB statement).
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-packages core bench
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRELVAN_BUILD_BENCH=ON \
  -DTRELVAN_BUILD_GUI=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build-bench --target trelvan-bench trelvan-genstatement
