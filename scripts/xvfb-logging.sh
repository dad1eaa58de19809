#!/usr/bin/env bash
# The logging tab under a real X server (Xvfb), inside a private network
# namespace: chart mode with five series and the gateway frame receiving,
# both against the simulated receiver. The screenshots are kept as
# <prefix>-chart.png and <prefix>-gateway.png.
#
#   scripts/xvfb-logging.sh build/tests/xvfb_logging_screens [prefix]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ "${NVX_IN_NETNS:-}" != "1" ]; then
    exec "$here/netns-run.sh" "$0" "$@"
fi

screens=$(realpath "$1")
prefix=${2:-$PWD/xvfb-logging}
work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

exec 3<> <(:)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
display=""
for _ in $(seq 100); do
    if read -r -t 0.1 display <&3 && [ -n "$display" ]; then
        break
    fi
done
[ -n "$display" ] || { echo "xvfb-logging: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$display"
export QT_QPA_PLATFORM=xcb
export NVX_REGISTRY_FILE="$work/registry.ini"

rm -f "$prefix-chart.png" "$prefix-gateway.png"
"$screens" "$prefix"
for shot in "$prefix-chart.png" "$prefix-gateway.png"; do
    [ -s "$shot" ] || { echo "xvfb-logging: no $shot" >&2; exit 1; }
done
echo "xvfb-logging: screenshots $prefix-chart.png, $prefix-gateway.png"
