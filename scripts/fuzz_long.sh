#!/usr/bin/env bash
# The long fuzz run: every loader target in BUILD_DIR/tests runs for a fixed
# number of executions (not a time), one after another at low priority, from
# its committed seeds plus a working corpus that grows from run to run.
# Crashing inputs land in BUILD_DIR/fuzz-crashes/; the script then fails.
# FUZZ_MAX_SECONDS, when set, also caps each target's time.
#   usage: fuzz_long.sh BUILD_DIR RUNS [TARGET...]
set -uo pipefail

build="$1"
runs="$2"
shift 2
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in "$source_dir"/tests/fuzz/fuzz_*.cpp; do
    targets+=("$(basename "$source" .cpp)")
  done
fi

# The data-file targets write every input to a scratch folder; on a disk
# (ext4 flushes a file rewritten after truncation) that costs milliseconds per
# run, in memory microseconds.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi

mkdir -p "$build/fuzz-crashes"
failed=()
summary=()
for name in "${targets[@]}"; do
  binary="$build/tests/$name"
  [ -x "$binary" ] || { echo "missing $binary" >&2; failed+=("$name"); continue; }
  work="$build/fuzz-work/$name"
  seeds="$source_dir/tests/fuzz/corpus/$name"
  mkdir -p "$work"
  log="$build/fuzz-work/$name.log"
  start=$(date +%s)
  corpora=("$work")
  [ -d "$seeds" ] && corpora+=("$seeds")
  limit=()
  [ -n "${FUZZ_MAX_SECONDS:-}" ] && limit=(-max_total_time="$FUZZ_MAX_SECONDS")
  nice -n 15 "$binary" -runs="$runs" "${limit[@]}" -rss_limit_mb=2048 -timeout=30 -print_final_stats=1 \
    -artifact_prefix="$build/fuzz-crashes/$name-" "${corpora[@]}" >"$log" 2>&1
  code=$?
  seconds=$(($(date +%s) - start))
  executed=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -n1)
  line="$name: ${executed:-?} executions in ${seconds} s, exit $code"
  summary+=("$line")
  echo "$line"
  if [ $code -ne 0 ]; then
    failed+=("$name")
    grep -E 'ERROR|SUMMARY|Test unit written' "$log" | head -n 5
  fi
done

echo "---"
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -ne 0 ]; then
  echo "FAILED: ${failed[*]} (inputs in $build/fuzz-crashes/)"
  exit 1
fi
