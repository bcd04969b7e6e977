#!/usr/bin/env bash
# Installs what is missing, builds, starts the stand-in services on loopback and runs the app
# against them.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh
if [[ ! -x build/app/tunelark ]]; then
    echo "run: built the libraries; the window (build/app/tunelark) is not part of this build yet"
    exit 0
fi
exec scripts/run-app.sh
