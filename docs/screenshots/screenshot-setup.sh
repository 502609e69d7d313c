# Shared by the screenshot scripts (sourced, not run): from the repository's top folder, sets
# build (the build folder given as $1, default build/dev), out (this folder) and work (a
# scratch folder removed on exit) with a demo workspace in $work/demo, and a fresh home so no
# remembered windows or recent files show.
build=$(realpath "${1:-build/dev}")
out=$(realpath docs/screenshots)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/src/cli/zephane-tool" make-demo "$work/demo" >/dev/null
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_STATE_HOME="$work/home/.state"
mkdir -p "$HOME"
