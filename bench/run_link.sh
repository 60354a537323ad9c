#!/usr/bin/env bash
# Prints the radio link's figures: download finish after the radio's last
# byte, upload total against its floor, and the command line's processor
# time during a transfer, with the transfers run by the command line's poll loop
# and by the event loop the dialogs use. Builds nothing; run after a build.
# Takes about 95 seconds: the transfers run at the real line rate.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bench="$top/build/bin/bench_link"
if [ ! -x "$bench" ]; then
  echo "bench_link is not built (build the project with Google Benchmark installed)." >&2
  exit 1
fi
exec "$bench"
