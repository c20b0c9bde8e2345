#!/usr/bin/env bash
# Refreshes the README's screenshots: runs the end-to-end window tests (offscreen, software renderer,
# against the development server), which save a picture of each screen into <build>/screenshots,
# and copies them into docs/screenshots.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${DIANCAI_BUILD_DIR:-$root/build}

"$root/scripts/build.sh"
rm -rf "$build/screenshots"
ctest --test-dir "$build" --output-on-failure -R '^(tst_shell|tst_table_board|tst_order_list)$'
mkdir -p "$root/docs/screenshots"
cp "$build"/screenshots/*.png "$root/docs/screenshots/"
ls "$root/docs/screenshots"
