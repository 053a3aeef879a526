#!/usr/bin/env bash
# Runs kerna-bench and compares its last line, the node-count signature, with
# the pinned one in bench/signature.txt. The signature changes only when the
# search's results change (depths, order, cut-offs, evaluation tables): a
# commit that means to change it updates signature.txt and says `Bench: N`.
set -euo pipefail
bench=$1
pinned_file=$2
pinned=$(tail -n 1 "$pinned_file")
actual=$("$bench" | tail -n 1)
if [ "$actual" != "$pinned" ]; then
  echo "bench signature changed: pinned '$pinned', now '$actual'" >&2
  echo "(a deliberate change updates bench/signature.txt with a 'Bench: N' commit)" >&2
  exit 1
fi
echo "bench signature unchanged: $actual"
