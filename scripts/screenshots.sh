#!/usr/bin/env bash
# Regenerates the README's pictures in docs/screenshots/: builds what is
# missing, then, in a private network namespace under a virtual X server,
# runs the screenshot tour (build/screenshot-tour) against the receiver
# simulator once in German and once in English. Nothing leaves the machine.
#
#   scripts/screenshots.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=xvfb-start.sh
. "$root/scripts/xvfb-start.sh"
cd "$root"
if [ "${NVX_IN_NETNS:-}" != "1" ]; then
    scripts/install-deps.sh
    scripts/build.sh >/dev/null
    exec scripts/netns-run.sh "$0" "$@"
fi

out="$root/docs/screenshots"
make_work_dir

fail() {
    echo "screenshots: $*" >&2
    for log in "$work"/*.log; do
        [ -f "$log" ] && sed "s|^|  $(basename "$log" .log): |" "$log" >&2
    done
    exit 1
}

start_xvfb "$work/xvfb.log" || fail "Xvfb did not start"
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"

mkdir -p "$work/shots"
for lang in de en; do
    mkdir -p "$work/$lang/data"
    export XDG_DATA_HOME="$work/$lang/data"
    export NVX_REGISTRY_FILE="$work/$lang/registry.ini"
    if [ "$lang" = en ]; then
        printf '%s\r\n' '[HKEY_LOCAL_MACHINE\SOFTWARE\Lorvantis Sensortechnik GmbH\NVX_Ethernet]' \
            '"Language"="1033"' >"$NVX_REGISTRY_FILE"
    fi
    # Fresh receivers for each tour, so both languages see the same: first
    # receivers with their sensor tables, then receivers in gateway mode.
    for tour in table gateway; do
        sim_options=(--quiet)
        tour_args=("$work/shots" "$lang")
        if [ "$tour" = gateway ]; then
            sim_options+=(--gateway --gateway-interval 700)
            tour_args+=(gateway)
        fi
        build/receiver-sim "${sim_options[@]}" >"$work/sim-$lang-$tour.log" 2>&1 &
        sim=$!
        pids+=($sim)
        for _ in $(seq 300); do
            grep -q "receiver-sim: ready" "$work/sim-$lang-$tour.log" && break
            sleep 0.1
        done
        grep -q "receiver-sim: ready" "$work/sim-$lang-$tour.log" || fail "the simulator did not start"
        timeout 300 build/screenshot-tour "${tour_args[@]}" >"$work/tour-$lang-$tour.log" 2>&1 \
            || fail "the $tour tour in '$lang' did not finish"
        kill "$sim" 2>/dev/null || true
        wait "$sim" 2>/dev/null || true
    done
done

# An 8-bit palette keeps the pictures small; the windows use few colours.
mkdir -p "$out"
rm -f "$out"/*.png
for shot in "$work"/shots/*.png; do
    convert "$shot" -dither None -colors 256 "PNG8:$out/$(basename "$shot")"
done
# Every picture the README shows must have been made by this run.
missing=$(grep -o 'docs/screenshots/[a-z-]*\.png' README.md | sort -u | while read -r shown; do
    [ -f "$root/$shown" ] || echo "$shown"
done)
[ -z "$missing" ] || fail "the README shows pictures the tour did not make: $missing"
echo "screenshots: $(ls "$out"/*.png | wc -l) pictures in $out"
