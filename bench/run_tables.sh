#!/usr/bin/env bash
# Channel table figures: refresh and commit of all seven grids, each tab
# filled and read back, export + import of 450 channels (medians), and the
# clonara-cli export process as a whole.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bin="$top/build/bin"
"$bin/bench_tables" --benchmark_format=console 2>/dev/null | grep -E 'median' || true

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$bin/bench_tables" --write-full "$tmp/full.rdf"
runs=20
start=$(date +%s%N)
for _ in $(seq $runs); do "$bin/clonara-cli" export "$tmp/full.rdf" "$tmp/full.csv"; done
end=$(date +%s%N)
echo "clonara-cli export of 450 channels (whole process): $(( (end - start) / runs / 1000 )) us per run, mean of $runs"
