#!/usr/bin/env bash
# The logging tab under a real X server (Xvfb), inside a private network
# namespace: chart mode with five series and the gateway frame receiving,
# both against the simulated receiver. The screenshots are kept as
# <prefix>-chart.png and <prefix>-gateway.png.
#
#   scripts/xvfb-logging.sh build/tests/xvfb_logging_screens [prefix]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=xvfb-start.sh
. "$here/xvfb-start.sh"
if [ "${NVX_IN_NETNS:-}" != "1" ]; then
    exec "$here/netns-run.sh" "$0" "$@"
fi

screens=$(realpath "$1")
prefix=${2:-$PWD/xvfb-logging}
make_work_dir

start_xvfb "$work/xvfb.log" || { echo "xvfb-logging: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export NVX_REGISTRY_FILE="$work/registry.ini"

# Taken in the work folder and copied at the end, so that two runs at once
# keep their own.
"$screens" "$work/shot"
for shot in chart gateway; do
    [ -s "$work/shot-$shot.png" ] || { echo "xvfb-logging: no $shot picture" >&2; exit 1; }
    cp "$work/shot-$shot.png" "$prefix-$shot.png"
done
echo "xvfb-logging: screenshots $prefix-chart.png, $prefix-gateway.png"
