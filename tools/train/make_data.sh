#!/usr/bin/env bash
# Remakes the evaluation data in assets/dat/ (table.dat, abc-table.dat, ban.dat,
# start.dat) and tools/train/REPORT.md from the recorded games.
#   tools/train/make_data.sh [GAMES_DIR]     (default /work/shared/data/games)
#
# Two fits. The first uses every position and gives the start values: placement
# values fitted alone, then the tables. The second, on the positions up to move 53
# (level 6's middle-game search evaluates none after move 51, level 5's none after
# 50), fits the placement values and the tables together, the placement values
# pulled toward the first fit's.
# MATCHES.md has the matches that chose these settings.
set -euo pipefail
cd "$(dirname "$0")/../.."
games="${1:-/work/shared/data/games}"
first_fit=build/train-first-fit
second_fit_options=(--max-moves 53 --share 1 --placement-ridge 1e4)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
nice cmake --build build -j2 --target kerna-train
load=$(cut -d' ' -f1 /proc/loadavg)
timing=$(mktemp)
trap 'rm -f "$timing"' EXIT
TIMEFORMAT='%R s of wall time, %U s of CPU time (user) and %S s (system)'
train() { nice -n 19 build/tools/train/kerna-train --games "$games" --solve-empties 10 --threads 2 "$@"; }

mkdir -p "$first_fit"
{ time train --out "$first_fit" --report "$first_fit/REPORT.md" 2>&1; } 2> "$timing"
first_time=$(tail -1 "$timing")
{ time train --out assets/dat --report tools/train/REPORT.md --start-tables "$first_fit" \
    "${second_fit_options[@]}" 2>&1; } 2> "$timing"
{
  echo
  echo "Machine: $(nproc)-core $(. /etc/os-release && echo "$PRETTY_NAME") ($(uname -m)), shared"
  echo "with other jobs (load average $load when the run started)."
  echo "Run time: $(tail -1 "$timing")."
  echo
  echo "## The first fit"
  echo
  echo "The second fit starts from its placement values; its tables are not shipped."
  echo "Run time: $first_time."
  echo
  sed -e '1,2d' -e 's/^#/##/' "$first_fit/REPORT.md"
} >> tools/train/REPORT.md
