#!/bin/bash
# The Debian package (scripts/package-debian), checked with lintian (no errors) and
# appstreamcli, installed with apt-get, the installed trelvan-cli converts the example both
# ways, man finds both pages and bash completes the command; then the package is removed.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/install-packages core ui debian-package
bash scripts/package-debian
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-deb/CMakeCache.txt)
deb=dist/trelvan_${version}_amd64.deb
dpkg-deb --field "$deb" Depends

lintian --fail-on error --display-info "$deb"
echo "lintian: no errors"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
dpkg-deb --extract "$deb" "$stage/root"
appstreamcli validate --no-net --pedantic "$stage"/root/usr/share/metainfo/*.metainfo.xml

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq -o DPkg::Lock::Timeout=600 "./$deb" >/dev/null
trap 'apt-get purge -y -qq trelvan >/dev/null 2>&1 || true; rm -rf "$stage"' EXIT
[ "$(command -v trelvan-cli)" = /usr/bin/trelvan-cli ]
[ -x /usr/bin/trelvan ]
(
  cd "$stage"
  /usr/bin/trelvan-cli abo2dbf --yes "$OLDPWD/examples/statement.gpc" statement.dbf
  /usr/bin/trelvan-cli dbf2abo --yes statement.dbf statement.gpc
  cmp "$OLDPWD/examples/statement.gpc" statement.gpc
)
man -w trelvan-cli
man -w trelvan
man --warnings -E UTF-8 -l /usr/share/man/man1/trelvan-cli.1.gz >/dev/null
man --warnings -E UTF-8 -l /usr/share/man/man1/trelvan.1.gz >/dev/null
completions=$(bash -c 'source /usr/share/bash-completion/bash_completion
  __load_completion trelvan-cli
  COMP_LINE="trelvan-cli abo"; COMP_POINT=${#COMP_LINE}
  COMP_WORDS=(trelvan-cli abo); COMP_CWORD=1; _trelvan_cli; echo "${COMPREPLY[*]}"')
[ "$completions" = abo2dbf ] || { echo "bash completion: got '$completions'" >&2; exit 1; }

apt-get purge -y -qq trelvan >/dev/null
trap 'rm -rf "$stage"' EXIT
if [ -e /usr/bin/trelvan-cli ] || dpkg-query -W trelvan >/dev/null 2>&1; then
  echo "debian-package: trelvan is still installed after the purge" >&2
  exit 1
fi
echo "debian-package: installed, converted both ways, found the man pages, removed"
