#!/usr/bin/env bash
# Builds and runs the map view benchmark under its own Xvfb (Mesa's llvmpipe): a 512 x 512
# map with its colormap, the terrain-type overlay and 5,000 markers as bounding boxes at
# 1280 x 800 against the bare terrain triangles, and a Pull Grid step at the widest brush.
# Last line: "map view: F fps, ratio R".
# Usage: bench/run-map-view-benchmark.sh
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset bench >/dev/null
cmake --build --preset bench --target map_view_bench >/dev/null
LIBGL_ALWAYS_SOFTWARE=1 xvfb-run -a -s "-screen 0 1600x1000x24" build/bench/bench/map_view_bench 2>/dev/null
