#!/usr/bin/env bash
# Runs service_walk.py in a private D-Bus session with the accessibility bus and a private X server,
# against the development server with the demo catalogue and a terminal on a fresh home.
# Usage: run_service_walk.sh BUILD_DIR. Exits 77 (skipped) when a tool it needs is missing.
set -uo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
missing=()
for tool in Xvfb dbus-run-session xdotool /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || missing+=(pyatspi)
if [ ${#missing[@]} -gt 0 ]; then
  echo "SKIP: the accessibility walk needs ${missing[*]} (scripts/install-deps.sh installs them)"
  exit 77
fi
[ -n "${DIANCAI_WALK_SESSION:-}" ] || DIANCAI_WALK_SESSION=1 exec dbus-run-session -- "$0" "$@"

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; wait; rm -rf "$work"' EXIT
exec 5>"$work/display"  # Xvfb picks a free display and writes its number here
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
# On a loaded machine the server may name its display before it takes clients: wait until it does.
for _ in $(seq 200); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
xdotool getmouselocation >/dev/null 2>&1 || { echo "FAIL: no X server on $DISPLAY"; cat "$work/xvfb.log"; exit 1; }
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &

share="$build/share/diancai"
"$build/bin/diancai-devserver" --port 0 --basedata "$share/update" --fresh \
  --package "$share/demo/diancai-demo.zip" --state "$work/server" >"$work/server.log" 2>&1 &
for _ in $(seq 50); do grep -q "listening on" "$work/server.log" && break; sleep 0.1; done
url=$(sed -n 's/.*listening on \(http[^ ]*\).*/\1/p' "$work/server.log")
port=${url##*:}
[ -n "$url" ] || { echo "FAIL: no development server"; cat "$work/server.log"; exit 1; }

# The demo catalogue installed from the server, as a waiter's data update would.
mkdir -p "$work/home"
printf '[General]\nkIp=127.0.0.1\nkPort=%s\n' "${port%%/*}" >"$work/home/settings.ini"
export DIANCAI_MAKER_SERVICE_URL="$url" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
echo update | "$build/bin/diancai-console" --home "$work/home" >"$work/console.log" 2>&1
"$build/bin/diancai" --home "$work/home" --windowed >"$work/terminal.log" 2>&1 &

/usr/bin/python3 "$here/service_walk.py" "$url" || {
  echo "--- X server log"; tail -n 10 "$work/xvfb.log"
  echo "--- terminal log"; tail -n 30 "$work/terminal.log"
  echo "--- server log"; tail -n 30 "$work/server.log"
  exit 1
}
# The support log after that log-in and send names both, and never the password or the order's text.
log="$work/home/log/diancai.log"
if ! grep -q "send LogIn" "$log" || ! grep -q "send order table A01 flow" "$log" ||
  grep -Eqi "password|<Data|foodName" "$log"; then
  echo "--- support log"; cat "$log"; exit 1
fi
