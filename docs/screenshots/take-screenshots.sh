#!/usr/bin/env bash
# Takes the screenshots shown in the README: the editor on the demo workspace under Xvfb,
# with the openbox window manager, driven with xdotool, grabbed with ImageMagick's import.
# Usage: docs/screenshots/take-screenshots.sh [BUILD_DIR]   (default build/dev)
set -euo pipefail
cd "$(dirname "$0")/../.."
source docs/screenshots/screenshot-setup.sh

xvfb-run -a -s "-screen 0 1280x800x24" bash -s "$build" "$out" "$work/demo" <<'SCRIPT'
set -euo pipefail
build=$1 out=$2 demo=$3
openbox >/dev/null 2>&1 &
sleep 1
"$build/src/app/zephane" --workspace "$demo" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
window=$(xdotool search --sync --name "^Zephane" | head -1)
sleep 1
xdotool windowactivate --sync "$window"
sleep 0.5
keys() { xdotool key --delay 120 "$@"; sleep 0.6; }
typed() { xdotool type --delay 60 "$1"; sleep 0.6; }
shot() { sleep 0.4; import -window root "$out/$1.png"; }

# The all-tags window with two groups open and a map selected.
keys Down Down Right Down Down Down Down Right Down
shot all-tags
# Typing over the rows filters them.
typed "unit"
shot filter
keys Escape
# Find Tag opens a tag; without an editor it is shown selected in its file's window.
keys ctrl+f
typed "mesh"
keys Tab
typed "high"
shot find-tag
keys Return
keys Down Right Down
shot tag-file-window
# The dialogs of the tag commands.
keys ctrl+t
shot create-tag
keys Escape
keys ctrl+i
shot tag-info
keys Escape
# A changed file asks before its window closes.
keys ctrl+i
typed "Birch Wood"
keys Return
keys ctrl+w
shot save-prompt
keys Escape
keys alt+f
shot file-menu
keys Escape
SCRIPT
echo "screenshots written to $out"
