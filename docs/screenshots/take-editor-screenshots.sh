#!/usr/bin/env bash
# Takes the screenshots of the definition editors, the skeletal animation editor, the Mesh
# Terrain Window and their dialogs:
# the demo workspace with one tag of each edited type added, each editor opened in turn under
# Xvfb (with the openbox window manager for the dialogs' frames), grabbed with ImageMagick's
# import.
# Usage: docs/screenshots/take-editor-screenshots.sh [BUILD_DIR]   (default build/dev)
set -euo pipefail
cd "$(dirname "$0")/../.."
source docs/screenshots/screenshot-setup.sh
xvfb-run -a -s "-screen 0 1280x1024x24" bash -s "$build" "$out" "$work/demo" <<'SCRIPT'
set -euo pipefail
build=$1 out=$2 demo=$3
openbox >/dev/null 2>&1 &
sleep 1
"$build/tests/ui/editor_screenshots" "$demo" "$out"
SCRIPT
echo "screenshots written to $out"
