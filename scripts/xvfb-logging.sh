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

start_xvfb "$work/xvfb.log" || { echo "xvfb-logging: Xvfb did not start" >&2; exit 1; }
export NVX_REGISTRY_FILE="$work/registry.ini"

rm -f "$prefix-chart.png" "$prefix-gateway.png"
"$screens" "$prefix"
for shot in "$prefix-chart.png" "$prefix-gateway.png"; do
    [ -s "$shot" ] || { echo "xvfb-logging: no $shot" >&2; exit 1; }
done
echo "xvfb-logging: screenshots $prefix-chart.png, $prefix-gateway.png"
