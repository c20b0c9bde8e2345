#!/usr/bin/env bash
# Refreshes the README's screenshots: runs the end-to-end window tests (offscreen, software renderer,
# against the development server), which save a picture of each screen into <build>/screenshots,
# copies them into docs/screenshots, and makes the README's walk-through of a whole service from
# the flows' frames (docs/screenshots/walkthrough.gif, ImageMagick).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${DIANCAI_BUILD_DIR:-$root/build}

"$root/scripts/build.sh"
if ! command -v convert >/dev/null; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get install -y --no-install-recommends imagemagick
fi
rm -rf "$build/screenshots"
ctest --test-dir "$build" --output-on-failure -R '^(tst_shell|tst_table_board|tst_order_list|tst_outbox)$'
mkdir -p "$root/docs/screenshots"
cp "$build"/screenshots/*.png "$root/docs/screenshots/"

# A service in the order a waiter works: log in, the menu, a size, a set meal, a taste, the order
# list, the table chooser, the table board, the bill. Two seconds a frame, at 640 x 480.
frames=(login home-logged-in menu size-chooser set-meal taste-editor order-list table-chooser
        table-board table-open bill)
paths=()
for frame in "${frames[@]}"; do paths+=("$build/screenshots/$frame.png"); done
convert -delay 200 -loop 0 "${paths[@]}" -resize 640x480 -layers Optimize \
  "$root/docs/screenshots/walkthrough.gif"
ls -l "$root/docs/screenshots/walkthrough.gif"
