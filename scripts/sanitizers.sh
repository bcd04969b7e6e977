#!/usr/bin/env bash
# Runs the whole suite under AddressSanitizer + UndefinedBehaviorSanitizer, and the threaded
# core (downloader, list store) under ThreadSanitizer. Separate build folders keep the
# instrumented objects apart from the Release build.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp:print_suppressions=0}
export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1}

configure() {
    cmake -S . -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
        "${@:2}" >/dev/null
}

echo "== ASan + UBSan: every test"
configure build-asan -DTUNELARK_SANITIZE=ON
cmake --build build-asan --parallel "$jobs"
ctest --test-dir build-asan --output-on-failure --parallel "$jobs"

echo "== TSan: downloader and list store"
tsan_tests=(download_tests platform_rowstore_test catalog_service_test)
configure build-tsan -DTUNELARK_TSAN=ON
cmake --build build-tsan --parallel "$jobs" --target "${tsan_tests[@]}"
ctest --test-dir build-tsan --output-on-failure --parallel "$jobs" \
    -R "^($(IFS='|'; echo "${tsan_tests[*]}"))\$"
