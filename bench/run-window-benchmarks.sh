#!/usr/bin/env bash
# Builds and runs the window benchmarks (offscreen): the all-tags window over 50,000 tags, a tag
# file window of 5,000 tags, and the texture stack editor on the 4032 x 4032 terrain.
# Usage: bench/run-window-benchmarks.sh
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset bench >/dev/null
cmake --build --preset bench --target tree_rebuild_bench >/dev/null
QT_QPA_PLATFORM=offscreen build/bench/bench/tree_rebuild_bench
cmake --build --preset bench --target txst_editor_bench >/dev/null
scratch=${TMPDIR:-/tmp}/zephane-bench
mkdir -p "$scratch"
QT_QPA_PLATFORM=offscreen build/bench/bench/txst_editor_bench "$scratch"
