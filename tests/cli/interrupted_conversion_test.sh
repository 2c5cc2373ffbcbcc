#!/bin/bash
# Stops the real trelvan-cli in the middle of converting a large statement over a good table,
# at many moments. After kill -9 the table and the memo file are each either their old bytes or
# the complete new ones (a hidden temporary may stay); after Ctrl+C or kill nothing else stays.
# Two runs writing one table at once leave one run's whole files.
#   interrupted_conversion_test.sh CLI STATEMENT
set -euo pipefail
set -m  # background runs must not ignore SIGINT as jobs without job control do
cli=$1
statement=$2
export SOURCE_DATE_EPOCH=0  # the same table header every run

work=$(mktemp -d)
# Only this shell cleans up: a run stopped before its exec is still a copy of it.
trap '[ "$BASHPID" = "$$" ] && rm -rf "$work"' EXIT
cd "$work"
for _ in $(seq 2000); do cat "$statement"; done > big.gpc
# Exit status 3: the repeated statement does not follow on from itself, a warning.
convert() { "$cli" abo2dbf "$@" > /dev/null 2>&1 || [ $? -eq 3 ]; }
convert "$statement" old.dbf
convert big.gpc new.dbf

fail() {
  echo "FAILED: $*" >&2
  ls -la >&2
  exit 1
}

# Each output is the old file or the new one, never anything between.
check_outputs() {
  for ext in dbf dbt; do
    if cmp -s "out.$ext" "old.$ext"; then
      olds=$((olds + 1))
    elif cmp -s "out.$ext" "new.$ext"; then
      news=$((news + 1))
    else
      fail "out.$ext is neither the old nor the new file after $1"
    fi
  done
}

# Stops one run after `delay` seconds with `signal`; returns with the outputs old again.
interrupt() {
  local signal=$1 delay=$2
  cp old.dbf out.dbf
  cp old.dbt out.dbt
  "$cli" abo2dbf --yes big.gpc out.dbf > /dev/null 2>&1 &
  local pid=$!
  sleep "$delay"
  kill "-$signal" "$pid" 2> /dev/null || true
  wait "$pid" || true
  check_outputs "$signal at ${delay}s"
  if [ "$signal" != KILL ] && compgen -G '.*trelvan-*' > /dev/null; then
    fail "a temporary stayed after $signal at ${delay}s"
  fi
  rm -f .*trelvan-*
}

olds=0
news=0
for delay in 0 0.01 0.03 0.06 0.1 0.15 0.25 0.4; do
  for signal in KILL INT TERM; do interrupt "$signal" "$delay"; done
done
# Two runs writing one table at once: each file is one run's whole file, nothing else stays.
for _ in 1 2 3; do
  convert --yes big.gpc out.dbf &
  convert --yes "$statement" out.dbf &
  wait
  check_outputs "two runs at once"
  if compgen -G '.*trelvan-*' > /dev/null; then fail "a temporary stayed after two runs"; fi
done
echo "old outputs: $olds, new outputs: $news"
# The runs were stopped while they wrote, not only before or after.
[ "$olds" -gt 0 ] || fail "no run was stopped before it finished"
