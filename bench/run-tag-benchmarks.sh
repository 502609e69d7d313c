#!/usr/bin/env bash
# Builds the benchmarks and runs the tag file and lookup comparisons.
# Usage: bench/run-tag-benchmarks.sh [SCRATCH_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset bench >/dev/null
cmake --build --preset bench --target tag_file_bench tag_lookup_bench >/dev/null
scratch=${1:-${TMPDIR:-/tmp}/zephane-bench}
mkdir -p "$scratch"
build/bench/bench/tag_file_bench "$scratch"
build/bench/bench/tag_lookup_bench
