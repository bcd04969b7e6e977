#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (ASan+UBSan, coverage) in build-fuzz/ and
# runs each for SECONDS seconds over a fresh copy of its seed inputs (fuzz/corpus/<target>/).
# Prints per target the executions run and what was found; exits non-zero when a target crashed,
# leaked, timed out or broke one of its properties (the input is kept next to its log).
#
#   scripts/fuzz.sh [SECONDS]                          (default 10)
#   TUNELARK_FUZZ_TARGETS="fuzz_reply fuzz_cookies" scripts/fuzz.sh 60
#   TUNELARK_FUZZ_BUILD_DIR=path scripts/fuzz.sh 300
set -euo pipefail

seconds=${1:-10}
[[ $seconds =~ ^[0-9]+$ && $seconds -gt 0 ]] || { echo "usage: $0 [SECONDS]" >&2; exit 2; }
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TUNELARK_FUZZ_BUILD_DIR:-$root/build-fuzz}
targets=${TUNELARK_FUZZ_TARGETS:-$(cd "$root/fuzz/corpus" && ls -d fuzz_* | tr '\n' ' ')}

command -v clang++ >/dev/null || { echo "fuzz: clang++ is missing (scripts/setup.sh)" >&2; exit 2; }
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTUNELARK_FUZZ=ON >/dev/null
# Only the fuzz targets and the libraries they link: nothing of Qt, the player or the programs.
if ! cmake --build "$build" --target tunelark_fuzz_targets --parallel "$(nproc)" \
    >"$build/fuzz-build.log" 2>&1; then
    tail -n 40 "$build/fuzz-build.log" >&2
    echo "fuzz: build failed (log: $build/fuzz-build.log)" >&2
    exit 2
fi

failed=0
printf '%-20s %12s %8s  %s\n' target executions cov result
for target in $targets; do
    binary="$build/fuzz/$target"
    work="$build/fuzz-runs/$target"
    rm -rf "$work" && mkdir -p "$work/corpus"
    cp "$root/fuzz/corpus/$target/"* "$work/corpus/"
    status=0
    "$binary" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$work/" "$work/corpus" >"$work/log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -n 1)
    cov=$(grep -o 'cov: [0-9]*' "$work/log" | tail -n 1 | cut -d' ' -f2)
    findings=$(find "$work" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'leak-*' \
        -o -name 'timeout-*' -o -name 'oom-*' \) | sort)
    if [[ $status -eq 0 && -z $findings ]]; then
        result="nothing found"
    else
        failed=1
        result="FOUND (exit $status): ${findings:-see $work/log}"
    fi
    printf '%-20s %12s %8s  %s\n' "$target" "${runs:-?}" "${cov:-?}" "$result"
    if [[ $status -ne 0 ]]; then
        grep -E 'property broken|ERROR: |SUMMARY: |runtime error' "$work/log" | head -n 5 | sed 's/^/    /'
    fi
done
exit $failed
