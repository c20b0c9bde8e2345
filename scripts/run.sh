#!/usr/bin/env bash
# The run command: installs what is missing, builds, starts the development ordering server with
# the demo catalogue on 127.0.0.1:8030, points a terminal home at it and starts the terminal.
# The terminal's home is ~/.local/share/diancai-demo (or $DIANCAI_HOME); the server keeps its
# dining room in ~/.local/share/diancai-devserver. Extra arguments go to the terminal.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${DIANCAI_BUILD_DIR:-$root/build}
home=${DIANCAI_HOME:-$HOME/.local/share/diancai-demo}
state=${DIANCAI_DEVSERVER_STATE:-$HOME/.local/share/diancai-devserver}
port=8030

"$root/scripts/build.sh"

# A fresh home talks to the local development server.
mkdir -p "$home"
if [ ! -f "$home/settings.ini" ]; then
  printf '[General]\nkIp=127.0.0.1\nkPort=%s\n' "$port" > "$home/settings.ini"
  fresh=1
fi

mkdir -p "$state"
"$build/bin/diancai-devserver" --port "$port" \
  --basedata "$build/share/diancai/update" \
  --package "$build/share/diancai/demo/diancai-demo.zip" \
  --state "$state" > "$state/devserver.log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true' EXIT
sleep 0.5
if ! kill -0 "$server" 2>/dev/null; then
  echo "The development server did not start; see $state/devserver.log:" >&2
  tail -n 5 "$state/devserver.log" >&2
  exit 1
fi
echo "Development ordering server on 127.0.0.1:$port (log: $state/devserver.log)"

# A fresh home installs the demo package from the server, as a waiter's data update would.
if [ -n "${fresh:-}" ]; then
  echo update | "$build/bin/diancai-console" --home "$home"
fi

"$build/bin/diancai" --home "$home" "$@"
