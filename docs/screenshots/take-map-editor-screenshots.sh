#!/usr/bin/env bash
# Takes the screenshots of the map editor and its dialogs on a demo map under Xvfb with the
# openbox window manager.
# Usage: docs/screenshots/take-map-editor-screenshots.sh [BUILD_DIR] [OUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/dev}
out=${2:-docs/screenshots}
mkdir -p "$out"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -s "$build" "$out" <<'SCRIPT'
set -euo pipefail
build=$1 out=$2
openbox >/dev/null 2>&1 &
sleep 1
"$build/tests/mesh/ui/map_editor_screenshots" "$out"
SCRIPT
echo "screenshots written to $out"
