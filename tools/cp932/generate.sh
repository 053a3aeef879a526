#!/usr/bin/env bash
# Regenerates src/platform/cp932_table.{hpp,cpp} from glibc iconv's CP932.
# Run once by hand when the table has to change; the output is committed.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
g++ -std=c++20 -O1 -Wall -Wextra -Werror -o "$tmp/make_cp932_table" "$here/make_cp932_table.cpp"
"$tmp/make_cp932_table" "$root/src/platform"
