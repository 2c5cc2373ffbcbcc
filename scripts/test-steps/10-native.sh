#!/bin/bash
# The native build with warnings as errors, and every CTest suite (under a virtual X display,
# for the dialog's tests).
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-packages core ui tests
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build --output-on-failure -j2
