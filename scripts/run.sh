#!/usr/bin/env bash
# The run command: installs what is missing, builds, and starts the terminal with its home in
# ~/.local/share/diancai-demo (or $DIANCAI_HOME). Extra arguments go to the terminal.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${DIANCAI_BUILD_DIR:-$root/build}
home=${DIANCAI_HOME:-$HOME/.local/share/diancai-demo}

"$root/scripts/build.sh"
exec "$build/bin/diancai" --home "$home" "$@"
