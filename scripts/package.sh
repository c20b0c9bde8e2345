#!/usr/bin/env bash
# Builds the Debian packages from a Release build: diancai (the terminal, diancai-console, the
# resources with the shipped demo data, desktop entry, icon, AppStream metadata) and
# diancai-devserver (the development ordering server with the demo package), stripped, with their
# manual pages, checked with lintian. They land in dist/ (or the folder given).
#
#   scripts/package.sh [OUTDIR]
#   sudo apt-get install ./dist/diancai_*.deb ./dist/diancai-devserver_*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/dist}")
build=${DIANCAI_BUILD_DIR:-$root/build-release}

DIANCAI_BUILD_DIR="$build" DIANCAI_BUILD_TYPE=Release \
  "$root/scripts/build.sh" -DDIANCAI_BUILD_TESTS=OFF -DDIANCAI_BUILD_BENCH=OFF
mkdir -p "$out"
(cd "$build" && cpack -G DEB -B "$out" > "$out/cpack.log")
rm -rf "$out/_CPack_Packages"
ls "$out"/*.deb
# Debian's package checker: no error, no warning (scripts/install-deps.sh installs it).
lintian --fail-on error,warning "$out"/diancai_*.deb "$out"/diancai-devserver_*.deb
