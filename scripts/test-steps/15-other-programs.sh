#!/bin/bash
# Tables made by abo2dbf, edited and saved by LibreOffice Calc, python's dbf and GDAL, must come
# back through dbf2abo as the expected statement (tests/other_programs). Prints each program's
# version and what dbf2abo said.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-packages core
mapfile -t wanted < <(sed -e 's/#.*//' -e 's/\s//g' -e '/^$/d' scripts/packages/other-programs.txt)
missing=()
for package in "${wanted[@]}"; do
  dpkg-query -W -f '${Status}\n' "$package" 2>/dev/null | grep -q ' installed$' ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=()
  if [ "$(id -u)" -ne 0 ]; then SUDO=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${SUDO[@]}" apt-get -qq -o DPkg::Lock::Timeout=600 update
  "${SUDO[@]}" apt-get -qq -o DPkg::Lock::Timeout=600 install -y --no-install-recommends \
    "${missing[@]}" >/dev/null
fi
cmake -S . -B build-other-programs -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTRELVAN_BUILD_GUI=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build build-other-programs --target trelvan-cli
# The system interpreter: the packages above are installed for it.
/usr/bin/python3 tests/other_programs/edit_in_other_programs.py \
  build-other-programs/cli/trelvan-cli examples/statement.gpc
