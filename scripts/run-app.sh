#!/usr/bin/env bash
# Starts the stand-in services on loopback, points the app at them and runs the app. The
# stand-in stops when the app exits.
set -euo pipefail
cd "$(dirname "$0")/.."
port=${TUNELARK_STANDIN_PORT:-18480}
log=$(mktemp -t tunelark-standin.XXXXXX)
build/standin/tunelark-standin --port "$port" >"$log" 2>&1 &
standin=$!
trap 'kill "$standin" 2>/dev/null || true; wait "$standin" 2>/dev/null || true; rm -f "$log"' EXIT

for _ in $(seq 1 300); do
    grep -q "listening on" "$log" && break
    kill -0 "$standin" 2>/dev/null || { cat "$log"; echo "run: the stand-in did not start" >&2; exit 1; }
    sleep 0.1
done
base="http://127.0.0.1:$port"
export TUNELARK_MUSIC_BASE="$base" TUNELARK_MV_BASE="$base" TUNELARK_UPDATE_BASE="$base"
export TUNELARK_PROBE_URL="$base/probe"
echo "run: stand-in services on $base; downloads go to ${TUNELARK_DRIVE_ROOT:-~/Music}/音乐下载地址"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "run: no display; running the window on a virtual X server (xvfb-run)"
    xvfb-run -a build/app/tunelark
else
    build/app/tunelark
fi
