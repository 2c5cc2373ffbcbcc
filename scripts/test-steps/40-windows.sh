#!/bin/bash
# The Windows build: wxWidgets for mingw-w64 (built once into a cache outside the repository),
# the cross build with warnings as errors, every test through Wine in a throw-away prefix (the
# dialog's under a virtual X display), and the zip and the installer (scripts/package-windows).
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-packages core windows
wx_prefix=$(bash scripts/build-wx-mingw | tail -n 1)
cmake -S . -B build-win -G Ninja --toolchain cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
  -DwxWidgets_CONFIG_EXECUTABLE="$wx_prefix/bin/wx-config" >/dev/null
cmake --build build-win

WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all WINEARCH=win64
# No Mono or Gecko: their install prompts would wait for a click that never comes.
export WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
# The inner script expands its own variables.
# shellcheck disable=SC2016
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  set -euo pipefail
  wineserver -p
  wine=$(command -v /usr/lib/wine/wine64 || command -v wine)
  "$wine" wineboot -i >/dev/null 2>&1
  ctest --test-dir build-win --output-on-failure -j2
  wineserver -k || true
'
bash scripts/package-windows
