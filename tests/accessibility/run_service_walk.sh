#!/usr/bin/env bash
# Runs service_walk.py: a private X server (Xvfb), a private D-Bus session with the accessibility
# bus, the development server with the demo catalogue, and the terminal on a fresh home.
# Usage: run_service_walk.sh BUILD_DIR
# Exits 77 (skipped) when a tool it needs is missing, so that the suite still runs elsewhere.
set -uo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

missing=()
for tool in Xvfb dbus-run-session xdotool; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
[ -x /usr/libexec/at-spi-bus-launcher ] || missing+=("at-spi2-core")
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || missing+=("python3-pyatspi")
if [ ${#missing[@]} -gt 0 ]; then
  echo "SKIP: the accessibility walk needs ${missing[*]} (scripts/install-deps.sh installs them)"
  exit 77
fi

# Everything below runs in a D-Bus session of its own, ended with the script.
if [ -z "${DIANCAI_WALK_IN_SESSION:-}" ]; then
  DIANCAI_WALK_IN_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi

work=$(mktemp -d)
pids=()
finish() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap finish EXIT

# A free display: Xvfb picks it and writes its number.
exec 5>"$work/display"
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/atspi.log" 2>&1 &
pids+=($!)

"$build/bin/diancai-devserver" --port 0 --basedata "$build/share/diancai/update" \
  --package "$build/share/diancai/demo/diancai-demo.zip" --state "$work/server" --fresh \
  >"$work/server.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do grep -q "listening on" "$work/server.log" && break; sleep 0.1; done
url=$(sed -n 's/.*listening on \(http[^ ]*\).*/\1/p' "$work/server.log" | head -n 1)
port=${url##*:}
port=${port%%/*}
if [ -z "$url" ]; then
  echo "FAIL: the development server did not start:"
  cat "$work/server.log"
  exit 1
fi

# A fresh terminal home on that server, with the demo catalogue installed as a data update would.
mkdir -p "$work/home"
printf '[General]\nkIp=127.0.0.1\nkPort=%s\n' "$port" >"$work/home/settings.ini"
export DIANCAI_MAKER_SERVICE_URL="$url"
echo update | "$build/bin/diancai-console" --home "$work/home" >"$work/console.log" 2>&1

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 QT_QPA_PLATFORM=xcb
"$build/bin/diancai" --home "$work/home" --windowed >"$work/terminal.log" 2>&1 &
pids+=($!)

/usr/bin/python3 "$here/service_walk.py" "$url"
result=$?
if [ $result -ne 0 ]; then
  echo "--- terminal log"
  tail -n 30 "$work/terminal.log"
  echo "--- server log"
  tail -n 30 "$work/server.log"
fi
exit $result
