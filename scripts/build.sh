#!/usr/bin/env bash
# Installs what is missing and builds diancai into build/ (or $DIANCAI_BUILD_DIR).
# Extra arguments go to CMake's configure step, e.g. -DDIANCAI_SANITIZE=address,undefined.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${DIANCAI_BUILD_DIR:-$root/build}

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=${DIANCAI_BUILD_TYPE:-RelWithDebInfo} "$@"
cmake --build "$build" -j "$(nproc)"
