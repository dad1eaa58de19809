#!/usr/bin/env bash
# Starts the program under a real X server (Xvfb) beside the receiver
# simulator, inside a private network namespace, and checks that the main
# window and the search status window appear and that the search reached the
# simulated receivers. Screenshots are kept as <prefix>-search.png (while the
# search runs) and <prefix>-result.png (after it); they are taken in the work
# folder and copied at the end, so that two runs at once keep their own.
#
#   scripts/xvfb-smoke.sh build/nvx-ethernet build/receiver-sim [prefix]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=xvfb-start.sh
. "$here/xvfb-start.sh"
if [ "${NVX_IN_NETNS:-}" != "1" ]; then
    exec "$here/netns-run.sh" "$0" "$@"
fi

program=$(realpath "$1")
simulator=$(realpath "$2")
prefix=${3:-$PWD/xvfb-smoke}
make_work_dir

fail() {
    echo "xvfb-smoke: $*" >&2
    [ -f "$work/sim.log" ] && sed 's/^/  sim: /' "$work/sim.log" >&2
    [ -f "$work/program.log" ] && sed 's/^/  program: /' "$work/program.log" >&2
    [ -f "$work/xvfb.log" ] && sed 's/^/  xvfb: /' "$work/xvfb.log" >&2
    exit 1
}

# An X client that hangs must not hang the test.
has_window() {
    timeout 10 xwininfo -root -tree 2>/dev/null | grep -qF "\"$1\""
}
shoot() {
    timeout 30 import -window root "$work/$1.png" && [ -s "$work/$1.png" ] || fail "no screenshot $1"
}
# Waits, generously (the machine may be busy with the other tests), until
# the command succeeds.
await() {
    for _ in $(seq 300); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

start_xvfb "$work/xvfb.log" || fail "Xvfb did not start"
export NVX_REGISTRY_FILE="$work/registry.ini"
# The program makes its folder in the user's data folder; not in the real one.
export XDG_DATA_HOME="$work/data"

"$simulator" >"$work/sim.log" 2>&1 &
pids+=($!)
await grep -q "receiver-sim: ready" "$work/sim.log" || fail "the simulator did not start"
"$program" >"$work/program.log" 2>&1 &
program_pid=$!
pids+=($program_pid)

await has_window "Status" || fail "no status window"
shown=$SECONDS
has_window "Lorvantis Sensortechnik GmbH    " || fail "no main window"
await grep -q "config datagram: FIND" "$work/sim.log" || fail "the search did not reach the simulator"
# The window's first paint.
sleep 1
shoot search

# The search lasts five seconds; then the result waits for its close button.
wait_for=$((shown + 6 - SECONDS))
[ "$wait_for" -le 0 ] || sleep "$wait_for"
kill -0 "$program_pid" 2>/dev/null || fail "the program ended"
has_window "Status" || fail "the status window closed without the user"
shoot result
cp "$work/search.png" "$prefix-search.png"
cp "$work/result.png" "$prefix-result.png"
echo "xvfb-smoke: main window and search window shown; screenshots $prefix-search.png, $prefix-result.png"
