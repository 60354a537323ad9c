#!/usr/bin/env bash
# Settings figures: opening the settings window until every page is loaded
# (from the document's image and from a settings file), the upload's settings
# step (medians), and clonara-cli settings show as a whole process.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bin="$top/build/bin"
export QT_QPA_PLATFORM=offscreen
"$bin/bench_settings" --benchmark_format=console 2>/dev/null | grep -E 'median' || true

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export XDG_CONFIG_HOME="$tmp/config"
runs=20
start=$(date +%s%N)
for _ in $(seq $runs); do "$bin/clonara-cli" settings show "$top/tests/data/edited.rsf" >/dev/null; done
end=$(date +%s%N)
echo "clonara-cli settings show (whole process): $(( (end - start) / runs / 1000 )) us per run, mean of $runs"
start=$(date +%s%N)
for _ in $(seq $runs); do "$bin/clonara-cli" settings show "$top/tests/data/factory.rdf" >/dev/null; done
end=$(date +%s%N)
echo "clonara-cli settings show of a radio data file (whole process): $(( (end - start) / runs / 1000 )) us per run, mean of $runs"
