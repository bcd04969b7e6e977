#!/usr/bin/env bash
# The fuzz targets for longer: SECONDS each (default 300); see scripts/fuzz.sh.
exec "$(dirname "$0")/../scripts/fuzz.sh" "${1:-300}"
