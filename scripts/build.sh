#!/usr/bin/env bash
# Configures and builds into build/ (Release). Extra arguments go to the configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${TUNELARK_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"
