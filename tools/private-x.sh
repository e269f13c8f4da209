# Sourced by the tools that need a desktop of their own: starts Xvfb on a free
# display with openbox on it, exports DISPLAY, and ends every process listed in
# `pids` when the script exits.
# Usage: start_private_x WIDTHxHEIGHT

pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; }
trap cleanup EXIT

start_private_x() {
    local number
    number=$(for n in $(seq 80 199); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { echo "$n"; break; }
    done)
    Xvfb ":$number" -screen 0 "$1x24" -nolisten tcp & pids+=($!)
    for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$number" ] && break; sleep 0.05; done
    export DISPLAY=":$number"
    openbox --sm-disable >/dev/null 2>&1 & pids+=($!)
    sleep 0.5
}
