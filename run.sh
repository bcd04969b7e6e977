#!/usr/bin/env bash
# Installs what is missing, builds, starts the stand-in services on loopback and runs the app
# against them.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh
exec scripts/run-app.sh
