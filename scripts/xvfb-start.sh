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
# and QT_QPA_PLATFORM; returns 1 when no display came within thirty seconds.
# Xvfb writes the number and its line end in two writes, so the line is read
# in one go: a read that timed out between the two would drop the number and
# take the bare line end that follows as the whole answer.
# The server never resets: by default it resets whenever its last client
# leaves, and a client that connects meanwhile (the program starting while
# a window check has just ended) is refused or never answered.
start_xvfb() {
    local log=$1
    shift
    # Xvfb makes no lock file here, so every run takes display :0 and puts
    # its socket into /tmp/.X11-unix; inside a private namespace that folder
    # is made the namespace's own, so that runs side by side never reach or
    # remove each other's server.
    if [ "${NVX_IN_NETNS:-}" = "1" ]; then
        mkdir -p /tmp/.X11-unix
        mount -t tmpfs -o mode=1777 tmpfs /tmp/.X11-unix 2>/dev/null || true
    fi
    exec 3<> <(:)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset "$@" >"$log" 2>&1 &
    pids+=($!)
    local display=""
    read -r -t 30 display <&3 || true
    exec 3<&-
    [[ $display =~ ^[0-9]+$ ]] || return 1
    export DISPLAY=":$display"
    export QT_QPA_PLATFORM=xcb
}
