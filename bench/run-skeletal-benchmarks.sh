#!/usr/bin/env bash
# Builds the skeletal model benchmark and runs it on meshes made elsewhere: Debian's
# assimp-testmodels (the Wuson model, and Wuson beside regr01, clamped to 4,000 vertices),
# turned into skinned skeleton-export files by bench/obj_to_skl.py.
# Usage: bench/run-skeletal-benchmarks.sh [SCRATCH_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
models=/usr/share/assimp/models/OBJ
[ -f "$models/WusonOBJ.obj" ] || { echo "assimp-testmodels is missing: run scripts/setup" >&2; exit 2; }
[ -f /usr/include/meshoptimizer.h ] || { echo "libmeshoptimizer-dev is missing: run scripts/setup" >&2; exit 2; }
cmake --preset bench >/dev/null
cmake --build --preset bench --target skeletal_lod_bench >/dev/null
scratch=${1:-${TMPDIR:-/tmp}/zephane-bench}
mkdir -p "$scratch"
python3 bench/obj_to_skl.py "$scratch/wuson.skl" "$models/WusonOBJ.obj"
python3 bench/obj_to_skl.py "$scratch/pair.skl" "$models/WusonOBJ.obj" "$models/regr01.obj"
status=0
for f in pair wuson; do
  echo "== $f.skl"
  build/bench/bench/skeletal_lod_bench "$scratch/$f.skl" || status=1
done
exit $status
