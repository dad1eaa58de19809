# Sourced by the scripts that run the program under a real X server.
#
#   make_work_dir
#
# Makes the temporary folder $work and the list pids of background
# processes; when the script ends, those processes are ended and the folder
# removed. Called after any re-start in a network namespace, so that the
# folder belongs to the process that removes it.
make_work_dir() {
    work=$(mktemp -d)
    pids=()
    trap end_work EXIT
}

end_work() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}

#   start_xvfb LOG [Xvfb options...]
#
# Starts Xvfb on a display it picks itself (it tells the number through a
# pipe, so two runs never race for one), adds it to pids and exports DISPLAY
# and QT_QPA_PLATFORM; returns 1 when no display came within ten seconds.
start_xvfb() {
    local log=$1
    shift
    exec 3<> <(:)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp "$@" >"$log" 2>&1 &
    pids+=($!)
    local display=""
    for _ in $(seq 100); do
        if read -r -t 0.1 display <&3 && [ -n "$display" ]; then
            break
        fi
    done
    [ -n "$display" ] || return 1
    export DISPLAY=":$display"
    export QT_QPA_PLATFORM=xcb
}
