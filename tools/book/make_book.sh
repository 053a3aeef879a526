#!/usr/bin/env bash
# Remakes the opening book (assets/dat/zyouseki.txt) and the values of its
# moves (assets/dat/zyouseki-values.txt) from the recorded games.
#   tools/book/make_book.sh [DATA_DIR]     (default /work/shared/data)
# Both are chosen and valued by the engine's search with the shipped evaluation
# data; the searched values are kept in tools/book/search-values.txt, and only
# positions missing from it are searched, so the engine is built first.
set -euo pipefail
cd "$(dirname "$0")/../.."
data="${1:-/work/shared/data}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
nice cmake --build build -j2 --target kerna-engine
nice -n 10 python3 tools/book/make_book.py --data "$data"
nice -n 10 python3 tools/book/book_values.py --data "$data"
