#!/bin/bash
# The Windows installer under Wine, in a throw-away prefix: installed silently (/S) for the
# current user with the file association and then for all users, the installed trelvan-cli.exe
# converts the example both ways, and the silent uninstall leaves no file, folder, Start-menu
# entry or registry value behind. Makes the zip and the installer first (scripts/package-windows
# reuses build-win from the Windows step).
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-packages core windows
bash scripts/package-windows
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "${TRELVAN_BUILD_DIR:-build-win}/CMakeCache.txt")
setup=$PWD/dist/trelvan-$version-setup.exe
example=$PWD/examples/statement.gpc

WINEPREFIX=$(mktemp -d)
work=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all WINEARCH=win64
# No Mono or Gecko: their install prompts would wait for a click that never comes. No menu
# builder: it would copy the Start-menu entry into the desktop menus of the machine.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX" "$work"' EXIT
wine=$(command -v /usr/lib/wine/wine64 || command -v wine)
"$wine" wineboot -i >/dev/null 2>&1
wineserver -w

fail() { echo "windows-installer: $*" >&2; exit 1; }
# Prints a registry value (the key's default value without a name), or nothing when missing.
reg_value() {
  if [ -n "${2:-}" ]; then
    "$wine" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
  else
    "$wine" reg query "$1" /ve 2>/dev/null | tr -d '\r' | sed -n "s/^ *(Default) *REG_[A-Z_]* *//p"
  fi
}
snapshot() {
  (cd "$WINEPREFIX" && find drive_c -path 'drive_c/windows' -prune -o -print | sort)
}

# One round: install with the given options, check, convert, uninstall, check nothing is left.
round() {
  local hive=$1 key
  shift
  key="$hive\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TRELVAN"
  snapshot >"$work/before"
  "$wine" "$setup" /S "$@" || fail "setup $* failed with $?"
  wineserver -w
  local location dir
  location=$(reg_value "$key" InstallLocation)
  [ -n "$location" ] || fail "no uninstall entry under $key"
  dir=$(winepath -u "$location" 2>/dev/null)
  for file in TRELVAN.EXE trelvan-cli.exe CTI-MNE.txt LICENSE.txt uninstall.exe; do
    [ -f "$dir/$file" ] || fail "$location has no $file"
  done
  [ "$(reg_value "$key" DisplayName)" = TRELVAN ] || fail "uninstall entry without its name"
  [ "$(reg_value "$key" DisplayVersion)" = "$version" ] || fail "uninstall entry without version"
  reg_value "$key" UninstallString | grep -q 'uninstall.exe' || fail "no UninstallString"
  local menu=%APPDATA%
  [ "$hive" = HKCU ] || menu=%ProgramData%
  menu=$("$wine" cmd /c echo "$menu\\Microsoft\\Windows\\Start Menu\\Programs\\TRELVAN.lnk" | tr -d '\r"')
  menu=$(winepath -u "$menu" 2>/dev/null)
  [ -f "$menu" ] || fail "no Start-menu entry $menu"
  if [[ " $* " == *" /ASSOCIATE "* ]]; then
    for ext in .gpc .abo; do
      [ "$(reg_value "$hive\\Software\\Classes\\$ext")" = TRELVAN.Statement ] ||
        fail "$ext is not associated"
    done
    reg_value "$hive\\Software\\Classes\\TRELVAN.Statement\\shell\\open\\command" |
      grep -qF 'TRELVAN.EXE" "%1"' || fail "no open command for statements"
  fi
  echo "windows-installer: $* installed into $location ($(du -sk "$dir" | cut -f1) KiB)"

  rm -rf "$work/convert" && mkdir "$work/convert" && cp "$example" "$work/convert/statement.gpc"
  (
    cd "$work/convert"
    "$wine" "$dir/trelvan-cli.exe" abo2dbf --yes statement.gpc statement.dbf
    "$wine" "$dir/trelvan-cli.exe" dbf2abo --yes statement.dbf back.gpc
  ) | tr -d '\r'
  cmp "$example" "$work/convert/back.gpc" || fail "the installed trelvan-cli did not convert back"

  # What the dialog remembers between runs goes with the program.
  "$wine" reg add 'HKCU\Software\Trelvan Software\TRELVAN' /v AboPath /d statement.gpc /f \
    >/dev/null 2>&1
  "$wine" "$dir/uninstall.exe" /S || fail "uninstall failed with $?"
  wineserver -w
  [ ! -e "$dir" ] || fail "$location is still there: $(ls -A "$dir")"
  [ ! -e "$menu" ] || fail "the Start-menu entry is still there"
  if "$wine" reg query "$key" >/dev/null 2>&1; then fail "$key is still there"; fi
  if grep -il trelvan "$WINEPREFIX"/*.reg; then fail "the registry still names TRELVAN"; fi
  snapshot >"$work/after"
  diff "$work/before" "$work/after" || fail "the uninstall left files behind"
  echo "windows-installer: $* uninstalled, nothing left"
}

round HKCU /ASSOCIATE
round HKLM /AllUsers
