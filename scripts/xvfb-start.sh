# Sourced by the scripts that run the program under a real X server.
#
#   start_xvfb LOG [Xvfb options...]
#
# Starts Xvfb on a display it picks itself (it tells the number through a
# pipe, so two runs never race for one), sets xvfb_pid and exports DISPLAY
# and QT_QPA_PLATFORM; returns 1 when no display came within ten seconds.
start_xvfb() {
    local log=$1
    shift
    exec 3<> <(:)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp "$@" >"$log" 2>&1 &
    xvfb_pid=$!
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
