#!/usr/bin/env bash
# Installs what is missing and builds diancai into build/ (or $DIANCAI_BUILD_DIR).
# Extra arguments go to CMake's configure step, e.g. -DDIANCAI_SANITIZE=address,undefined.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${DIANCAI_BUILD_DIR:-$root/build}

"$root/scripts/install-deps.sh"
# ccache: paths below the checkout are hashed relative to it, so any clone shares one cache.
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1 CCACHE_SLOPPINESS=${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=${DIANCAI_BUILD_TYPE:-RelWithDebInfo} "$@"
cmake --build "$build" -j "$(nproc)"
