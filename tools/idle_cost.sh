#!/usr/bin/env bash
# What an idle clock costs: runs tansywatch and `xclock -update 1` side by side
# on a private Xvfb with openbox and prints, for each, the CPU time spent over
# SECONDS once both have settled (start-up not counted) and the peak memory.
# Needs: xvfb openbox x11-apps.
# Usage: tools/idle_cost.sh [PROGRAM_DIRECTORY] [SECONDS]
set -euo pipefail
program_dir=${1:-build}
seconds=${2:-60}

. "$(dirname "$0")/private-x.sh"
start_private_x 1024x768

SDL_AUDIODRIVER=dummy "$program_dir/tansywatch" & clock=$!; pids+=($clock)
xclock -update 1 & xclock=$!; pids+=($xclock)
sleep 3

ticks=$(getconf CLK_TCK)
# Fields 14 and 15 of /proc/PID/stat: user and system time in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
clock_start=$(cpu_ticks "$clock")
xclock_start=$(cpu_ticks "$xclock")
sleep "$seconds"

report() {
    local name=$1 pid=$2 start=$3 rss
    rss=$(awk '/^VmHWM:/ { printf "%.1f", $2 / 1024 }' "/proc/$pid/status")
    awk -v n="$name" -v used=$(( $(cpu_ticks "$pid") - start )) -v t="$ticks" -v s="$seconds" -v r="$rss" \
        'BEGIN { printf "%-12s idle CPU %5.2f s in %d s   peak RSS %5.1f MiB\n", n, used / t, s, r }'
}
report tansywatch "$clock" "$clock_start"
report xclock "$xclock" "$xclock_start"
