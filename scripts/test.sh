#!/usr/bin/env bash
# Installs what is missing, builds, and runs every gate:
#   1. all tests, each in its own private network namespace; a test that
#      fails is run once more as a guard against a machine too busy for its
#      time limits (a test failing twice still fails the gate; the first
#      failure stays in the output, and any such failure is a fault to find);
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
