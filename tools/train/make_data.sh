#!/usr/bin/env bash
# Remakes the evaluation data in assets/dat/ (table.dat, abc-table.dat, ban.dat,
# start.dat) and tools/train/REPORT.md from the recorded games.
#   tools/train/make_data.sh [GAMES_DIR]     (default /work/shared/data/games)
set -euo pipefail
cd "$(dirname "$0")/../.."
games="${1:-/work/shared/data/games}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target kerna-train
start=$(date +%s)
build/tools/train/kerna-train --games "$games" --out assets/dat --report tools/train/REPORT.md \
  --solve-empties 10 --threads 2
end=$(date +%s)
{
  echo
  echo "Machine: $(nproc)-core $(. /etc/os-release && echo "$PRETTY_NAME") ($(uname -m)), shared with other jobs."
  echo "Wall time of the run: $((end - start)) s."
} >> tools/train/REPORT.md
