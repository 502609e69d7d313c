#!/usr/bin/env bash
# Builds and runs the tag window benchmark (offscreen): the all-tags window over 50,000 tags
# and a tag file window of 5,000 tags.
# Usage: bench/run-window-benchmarks.sh
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset bench >/dev/null
cmake --build --preset bench --target tree_rebuild_bench >/dev/null
QT_QPA_PLATFORM=offscreen build/bench/bench/tree_rebuild_bench
