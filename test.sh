#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the suite, then the suite again under
# the sanitizers, then each fuzz target briefly. Exits non-zero on any failure.
# TUNELARK_QUICK=1 runs only the suite (for a quick local check).
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
[[ "${TUNELARK_QUICK:-0}" == 1 ]] && exit 0

scripts/sanitizers.sh
if [[ -x scripts/fuzz.sh ]]; then
    scripts/fuzz.sh 5
fi
