#!/usr/bin/env bash
# Settings pages figures (offscreen): making and loading the Display,
# Icon/Font and names pages, saving all three, and painting a whole icon in
# the pixel editor (medians).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
export QT_QPA_PLATFORM=offscreen
"$top/build/bin/bench_pages" --benchmark_format=console 2>/dev/null | grep -E 'median' || true
