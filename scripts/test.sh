#!/usr/bin/env bash
# Installs, builds and runs all tests: once as built for use, once under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
# Each build's tests run a Firebird server of their own (tests/server/); whatever ends this script,
# an interrupt or a failure, stops them.
trap 'for dir in build build-sanitize; do bash tests/server/stop.sh "$dir/test-server"; done' EXIT

scripts/setup.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir build --output-on-failure -j "$jobs"

scripts/setup.sh build-sanitize -DCMAKE_BUILD_TYPE=Debug -DZORVIC_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"
