#!/usr/bin/env bash
# Core figures: load + decode all 450 channels + store (median), and the
# clonara-cli info process as a whole.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bin="$top/build/bin"
"$bin/bench_core" --benchmark_format=console 2>/dev/null | grep -E 'median|stddev' || true

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$bin/clonara-cli" new "$tmp/a.rdf"
runs=20
start=$(date +%s%N)
for _ in $(seq $runs); do "$bin/clonara-cli" info "$tmp/a.rdf" >/dev/null; done
end=$(date +%s%N)
echo "clonara-cli info (whole process): $(( (end - start) / runs / 1000 )) us per run, mean of $runs"
