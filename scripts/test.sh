#!/usr/bin/env bash
# Installs what is missing, builds, and runs every gate:
#   1. all tests, each in its own private network namespace; a test that
#      fails is run once more, so that one stalled window answer on a busy
#      machine does not fail the gate (a test failing twice still does);
#   2. the same tests built with AddressSanitizer (leaks included) and
#      UndefinedBehaviorSanitizer (build-asan/);
#   3. each fuzz target for $NVX_FUZZ_SECONDS seconds (default 60; clang,
#      build-fuzz/).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
ctest --test-dir build -j"$(nproc)" --output-on-failure --repeat until-pass:2

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNVX_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$(nproc)"
ctest --test-dir build-asan -j"$(nproc)" --output-on-failure --repeat until-pass:2

scripts/fuzz.sh "${NVX_FUZZ_SECONDS:-60}"
