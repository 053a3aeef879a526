#!/usr/bin/env bash
# Remakes the evaluation data in assets/dat/ (table.dat, abc-table.dat, ban.dat,
# start.dat) and tools/train/REPORT.md from the recorded games.
#   tools/train/make_data.sh [GAMES_DIR]     (default /work/shared/data/games)
set -euo pipefail
cd "$(dirname "$0")/../.."
games="${1:-/work/shared/data/games}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
nice cmake --build build -j2 --target kerna-train
load=$(cut -d' ' -f1 /proc/loadavg)
TIMEFORMAT='%R s of wall time, %U s of CPU time (user) and %S s (system)'
{ time nice -n 19 build/tools/train/kerna-train --games "$games" --out assets/dat \
    --report tools/train/REPORT.md --solve-empties 10 --threads 2 2>&1; } 2> /tmp/kerna-train-time.$$
{
  echo
  echo "Machine: $(nproc)-core $(. /etc/os-release && echo "$PRETTY_NAME") ($(uname -m)), shared"
  echo "with other jobs (load average $load when the run started)."
  echo "Run time: $(tail -1 /tmp/kerna-train-time.$$)."
} >> tools/train/REPORT.md
rm -f /tmp/kerna-train-time.$$
