#!/usr/bin/env bash
# Builds and runs the model viewer benchmark under its own Xvfb (Mesa's llvmpipe).
# Usage: bench/run-viewer-benchmark.sh
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset bench >/dev/null
cmake --build --preset bench --target skmd_viewer_bench >/dev/null
xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/bench/skmd_viewer_bench
