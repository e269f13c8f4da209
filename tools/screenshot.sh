#!/usr/bin/env bash
# Takes the README's picture of the clock on a desktop: a private Xvfb with
# openbox, the clock frozen at 10:08:36, the screen cropped around it.
# Needs: xvfb openbox faketime imagemagick x11-xserver-utils.
# Usage: tools/screenshot.sh [PROGRAM_DIRECTORY] [OUTPUT.png]
set -euo pipefail
program_dir=${1:-build}
output=${2:-docs/screenshot.png}

. "$(dirname "$0")/private-x.sh"
start_private_x 400x300
xsetroot -solid '#3b6e8f'
# libfaketime preloaded directly, so that the PID is the clock's own.
LD_PRELOAD=$(dpkg -L libfaketime | grep -m1 'libfaketime.so.1$') FAKETIME='2026-12-07 10:08:36' \
    FAKETIME_DONT_FAKE_MONOTONIC=1 SDL_AUDIODRIVER=dummy "$program_dir/tansywatch" 2>/dev/null & clock=$!
sleep 1.5
/usr/bin/import -window root -crop 222x258+89+21 +repage "$output"
kill "$clock"; wait "$clock" 2>/dev/null || true
echo "wrote $output"
