#!/usr/bin/env bash
# The test command: installs what is missing, builds, runs every test with CTest and prints
# CTest's summary. Extra arguments go to ctest (e.g. -R configmanager).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${DIANCAI_BUILD_DIR:-$root/build}

"$root/scripts/build.sh"
# Three tests per core: most of their time is spent waiting on timers, the network and the window.
ctest --test-dir "$build" --output-on-failure -j "$(( $(nproc) * 3 ))" "$@"
