#!/bin/bash
# Converts a statement whose file names carry Czech letters to a table and back through the
# Windows executable, and checks that every file lands under its exact name and that the round
# trip gives the statement back.
#   cli_czech_names_test.sh RUNNER CLI STATEMENT   (RUNNER: wine, or "" on Windows itself)
set -euo pipefail
runner=$1
cli=$2
statement=$3
# Wine turns the Unix arguments into wide strings by the locale's character set.
export LC_ALL=C.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
abo="Výpis účtu příliš žluťoučký kůň.gpc"
dbf="Tabulka ěščřžýáíéúů.dbf"
dbt="Tabulka ěščřžýáíéúů.dbt"
back="Zpět ÚĚŠČŘŽÝÁÍÉ.abo"
cp "$statement" "$abo"

# Standard output is in text mode on Windows: lines end in CR LF.
run() { $runner "$cli" "$@" | tr -d '\r'; return "${PIPESTATUS[0]}"; }

fail() {
  echo "FAILED: $*" >&2
  ls -la >&2
  exit 1
}

out=$(run abo2dbf "$abo" "$dbf") || fail "abo2dbf exited with $?"
success=$'Konverze proběhla úspěšně\nPřevedeno 7 položek ve 2 výpisech'
[ "$out" = "$success" ] || fail "abo2dbf printed '$out'"
[ -s "$dbf" ] || fail "no table named $dbf"
[ -s "$dbt" ] || fail "no memo file named $dbt"

out=$(run dbf2abo "$dbf" "$back") || fail "dbf2abo exited with $?"
[ "$out" = "$success" ] || fail "dbf2abo printed '$out'"
cmp "$abo" "$back" || fail "the round trip changed the statement"

# Without a console to ask at, the question names the existing file unmangled and the answer is
# No: the table stays as it was, and nothing waits for input.
before=$(cksum <"$dbf")
if err=$($runner "$cli" abo2dbf "$abo" "$dbf" 2>&1 </dev/null >/dev/null); then
  fail "an existing output was replaced without a yes"
fi
err=${err%$'\r'}
[ "$err" = "trelvan-cli: Soubor \"$dbf\" již existuje! Přepsat? Ne: bez terminálu se nelze zeptat; soubor přepíše volba --yes" ] ||
  fail "unexpected question: $err"
[ "$(cksum <"$dbf")" = "$before" ] || fail "the table changed"
