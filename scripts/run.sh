#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program together with the
# receiver simulator in a private network namespace, so that it can be tried
# without hardware and nothing it sends leaves this machine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec scripts/netns-run.sh bash -c 'build/receiver-sim & sim=$!; build/nvx-ethernet "$@"; kill $sim' nvx-demo "$@"
