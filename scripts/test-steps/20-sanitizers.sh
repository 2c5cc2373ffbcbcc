#!/bin/bash
# Every CTest suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer that stop
# at the first finding, so a finding fails its test. The dialog is not part of this build.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-packages core tests
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRELVAN_SANITIZE=ON \
  -DTRELVAN_BUILD_GUI=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build-asan -j2
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1
ctest --test-dir build-asan --output-on-failure -j2 -LE ui
