#!/bin/bash
# The desktop's files: the menu entry passes desktop-file-validate, the MIME definition builds
# into a MIME database that knows statements by name and by their first line, and each icon is
# the size its name says.
# Usage: desktop_files_test.sh UI_RESOURCES_DIR
set -euo pipefail
resources=$1
desktop-file-validate "$resources/trelvan.desktop"

db=$(mktemp -d)
trap 'rm -rf "$db"' EXIT
mkdir -p "$db/packages"
cp "$resources/trelvan-mime.xml" "$db/packages/trelvan.xml"
update-mime-database "$db" 2>/dev/null
for glob in '*.gpc' '*.abo'; do
  grep -qxF "50:application/x-abo-statement:$glob" "$db/globs2"
done
grep -q 'application/x-abo-statement' "$db/magic"

for size in 16 24 32 48 64 128 256; do
  # Width and height stand big-endian at bytes 16 to 23 of a PNG.
  read -r width height < <(od -An -tu1 -j16 -N8 "$resources/trelvan-$size.png" |
    awk '{ print ($1 * 2^24 + $2 * 2^16 + $3 * 256 + $4), ($5 * 2^24 + $6 * 2^16 + $7 * 256 + $8) }')
  [ "$width $height" = "$size $size" ] || { echo "trelvan-$size.png is ${width}x$height" >&2; exit 1; }
done
grep -q 'viewBox="0 0 256 256"' "$resources/trelvan.svg"
