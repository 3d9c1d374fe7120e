#!/usr/bin/env bash
# Screenshots for the README and the AppStream metadata, under docs/screenshots/.
# Starts the program's window under xvfb-run (Chinese, English, and the dark theme).
#   tools/screenshots/take-screenshots.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
tool="$build/tools/screenshots/quorvanta_screenshots"
cmake --build "$build" --target quorvanta_screenshots
out=docs/screenshots
mkdir -p "$out"
# A private HOME: the tour writes no notes, favourites or settings of a real user.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
run() {
    HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
        xvfb-run -a -s "-screen 0 1600x1000x24" "$tool" --data data --out "$out" "$@"
}
LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 run --suffix zh
LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 run --suffix en
LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 run --suffix dark_zh --dark
ls -1 "$out"
