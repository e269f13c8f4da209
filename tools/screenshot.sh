#!/usr/bin/env bash
# Takes the README's picture of the clock on a desktop: a private Xvfb with
# openbox, the clock frozen at 10:08:36, the screen cropped around it.
# Needs: xvfb openbox faketime imagemagick x11-xserver-utils.
# Usage: tools/screenshot.sh [PROGRAM_DIRECTORY] [OUTPUT.png]
set -euo pipefail
program_dir=${1:-build}
output=${2:-docs/screenshot.png}

display=:$(for n in $(seq 80 199); do [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] || { echo $n; break; }; done)
pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; }
trap cleanup EXIT

Xvfb "$display" -screen 0 400x300x24 -nolisten tcp & pids+=($!)
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.05; done
export DISPLAY=$display
openbox --sm-disable 2>/dev/null & pids+=($!)
sleep 0.5
xsetroot -solid '#3b6e8f'
FAKETIME_DONT_FAKE_MONOTONIC=1 SDL_AUDIODRIVER=dummy \
    faketime -f '2026-12-07 10:08:36' "$program_dir/tansywatch" & pids+=($!)
sleep 1.5
/usr/bin/import -window root -crop 222x258+89+21 +repage "$output"
kill "${pids[2]}"; wait "${pids[2]}" 2>/dev/null || true
echo "wrote $output"
