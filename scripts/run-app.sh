#!/usr/bin/env bash
# Starts the stand-in services on a free loopback port, points the app at them and runs the
# app. The stand-in stops when the app exits.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "run: there is no display (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
    echo "run: to run the window on a virtual X server: xvfb-run -a ./run.sh" >&2
    exit 2
fi

log=$(mktemp -t tunelark-standin.XXXXXX)
build/standin/tunelark-standin --port 0 >"$log" 2>&1 &
standin=$!
trap 'kill "$standin" 2>/dev/null || true; wait "$standin" 2>/dev/null || true; rm -f "$log"' EXIT

base=""
for _ in $(seq 1 300); do
    base=$(sed -n 's/^listening on \(http:\/\/[^ ]*\).*/\1/p' "$log" | head -n 1)
    [[ -n "$base" ]] && break
    kill -0 "$standin" 2>/dev/null || { cat "$log" >&2; echo "run: the stand-in did not start" >&2; exit 1; }
    sleep 0.1
done
[[ -n "$base" ]] || { echo "run: the stand-in did not say where it listens" >&2; exit 1; }

music_dir=${XDG_MUSIC_DIR:-$HOME/Music}
export TUNELARK_MUSIC_BASE="$base" TUNELARK_MV_BASE="$base" TUNELARK_UPDATE_BASE="$base"
export TUNELARK_PROBE_URL="$base/probe"
export TUNELARK_DRIVE_ROOT=${TUNELARK_DRIVE_ROOT:-$music_dir/Tunelark}
echo "run: stand-in services on $base; D:\\ is $TUNELARK_DRIVE_ROOT"
build/app/tunelark
