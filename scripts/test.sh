#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (each in its own
# private network namespace).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
ctest --test-dir build -j"$(nproc)" --output-on-failure
