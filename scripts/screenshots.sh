#!/bin/sh
# Renders the program's windows to PNG files (docs/screenshots by default) on a
# private virtual display, with a window manager (openbox) so that they show
# title bars as a user sees them. A private home keeps real settings out of
# reach.
#
# Usage: scripts/screenshots.sh [OUTPUT_FOLDER [NAME...]]
# BUILD_DIR chooses the build directory (default: build).
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
out=${1:-$root/docs/screenshots}
[ $# -gt 0 ] && shift

cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j2 --target varnel_screenshots

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT INT TERM
mkdir -p "$home/.config" "$out"
mkdir -m 700 "$home/runtime"

HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home/runtime" \
    QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
        openbox --sm-disable & wm=$!
        sleep 1 # the manager takes the display before the first window maps
        status=0; "$0" "$@" || status=$?
        kill $wm; exit $status' \
    "$build/tests/tools/varnel_screenshots" "$out" "$@"
