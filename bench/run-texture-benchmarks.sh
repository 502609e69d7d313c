#!/usr/bin/env bash
# Builds the texture benchmark and runs the terrain import and detail collapse against
# libjpeg-turbo's cjpeg (package libjpeg-turbo-progs).
# Usage: bench/run-texture-benchmarks.sh [SCRATCH_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
command -v cjpeg >/dev/null || { echo "cjpeg is missing: run scripts/setup" >&2; exit 2; }
cmake --preset bench >/dev/null
cmake --build --preset bench --target texture_import_bench >/dev/null
scratch=${1:-${TMPDIR:-/tmp}/zephane-bench}
mkdir -p "$scratch"
build/bench/bench/texture_import_bench "$scratch"
