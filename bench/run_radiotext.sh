#!/usr/bin/env bash
# Radio text figures: a full radio (tests/data/full.img) written as text, read
# back (medians); clonara-cli convert of the full
# radio to text and back as whole processes.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bin="$top/build/bin"
"$bin/bench_radiotext" --benchmark_format=console 2>/dev/null | grep -E 'median' || true

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$bin/clonara-cli" convert "$top/tests/data/full.img" "$tmp/full.rdf"
runs=20
time_runs() {
  local label=$1; shift
  local start end
  start=$(date +%s%N)
  for _ in $(seq $runs); do "$@" >/dev/null; done
  end=$(date +%s%N)
  echo "$label (whole process): $(( (end - start) / runs / 1000 )) us per run, mean of $runs"
}
time_runs "clonara-cli convert full.rdf full.yaml" "$bin/clonara-cli" convert "$tmp/full.rdf" "$tmp/full.yaml"
time_runs "clonara-cli convert full.yaml full.rdf" "$bin/clonara-cli" convert "$tmp/full.yaml" "$tmp/back.rdf"
time_runs "clonara-cli convert full.rdf copy.rdf (for comparison)" "$bin/clonara-cli" convert "$tmp/full.rdf" "$tmp/copy.rdf"
cmp -s "$tmp/full.rdf" "$tmp/back.rdf" || { echo "the text did not give the same file back" >&2; exit 1; }
