#!/usr/bin/env bash
# Desktop program figures (offscreen): start-up to the first shown window as a
# whole process, opening a file of 450 channels until all grids are filled,
# switching to the Memory Groups tab, printing the 450 memory channels to PDF,
# opening the print preview, typing a receive frequency into the empty row of
# a full table until the row shows its seeded cells, and undoing a cell edit
# (medians).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bin="$top/build/bin"
export QT_QPA_PLATFORM=offscreen
"$bin/bench_gui" --benchmark_format=console 2>/dev/null | grep -E 'median' || true

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export XDG_CONFIG_HOME="$tmp/config"
"$bin/bench_gui" --write-full "$tmp/full.rdf"
for what in "new document" "450-channel file"; do
    args=()
    [ "$what" = "450-channel file" ] && args=("$tmp/full.rdf")
    best=999999
    total=0
    runs=10
    for _ in $(seq $runs); do
        ms=$(CLONARA_EXIT_WHEN_SHOWN=1 "$bin/clonara" "${args[@]}" 2>/dev/null | sed -n 's/^shown after \([0-9]*\) ms$/\1/p')
        total=$((total + ms))
        [ "$ms" -lt "$best" ] && best=$ms
    done
    echo "clonara start-up to the first shown window ($what): mean $((total / runs)) ms, best $best ms (process start included)"
done
