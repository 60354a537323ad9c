#!/usr/bin/env bash
# Other programs' lists and comparing radios: a 450-line CHIRP list imported
# (median), and clonara-cli diff of two full images as a whole process.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bin="$top/build/bin"
"$bin/bench_chirp" --benchmark_format=console 2>/dev/null | grep -E 'median|stddev' || true

data="$top/tests/data"
runs=20
start=$(date +%s%N)
for _ in $(seq $runs); do "$bin/clonara-cli" diff "$data/busy.rdf" "$data/full.img" >/dev/null || true; done
end=$(date +%s%N)
echo "clonara-cli diff of two full images (whole process): $(( (end - start) / runs / 1000 )) us per run, mean of $runs"
