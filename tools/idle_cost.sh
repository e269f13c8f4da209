#!/usr/bin/env bash
# What an idle clock costs the machine, X server included: xclock draws its
# hands inside the X server with XRender, so the client's own CPU time alone
# flatters it. Every program gets an Xvfb (1024x768x24) and an openbox of its
# own, and one more Xvfb + openbox with no client is the baseline, all running
# at once so that they share whatever else the machine is doing. After SETTLE
# seconds, each is charged, over SECONDS, the CPU of its client, X server and
# window manager, minus the baseline's X server and window manager.
#
# tansywatch runs twice: as started (alarm disarmed) and with the alarm armed
# through its options dialog, for an hour twelve hours away so that it never
# rings while being measured. A third one has only opened its options dialog
# once and closed it with Escape. Memory is judged side by side with the floor: a
# bare Qt Widgets window of the clock's size (tools/idle_floor.cpp) on a desktop
# of its own, which is what the toolkit takes before the clock adds anything.
#
# Needs: xvfb openbox xdotool x11-utils x11-apps buici-clock python3-pil.
# Usage: tools/idle_cost.sh [PROGRAM_DIRECTORY] [SECONDS]
#        SETTLE=5 by default; KEEP_SHOTS=1 keeps the screenshots and logs.
set -euo pipefail
program_dir=${1:-build}
seconds=${2:-60}
settle=${SETTLE:-5}
clock_bin="$program_dir/tansywatch"
floor_bin=${FLOOR:-$program_dir/tools/idle_floor}
# PIL is Debian's; a python3 earlier in PATH may not have it.
python=/usr/bin/python3

[ -x "$clock_bin" ] || { echo "idle_cost: no $clock_bin" >&2; exit 1; }
[ -x "$floor_bin" ] || { echo "idle_cost: no $floor_bin (built with the clock; FLOOR=path names another)" >&2; exit 1; }
for tool in Xvfb openbox xdotool xwininfo xclock buici-clock; do
    command -v "$tool" >/dev/null || { echo "idle_cost: $tool is missing (make deps)" >&2; exit 1; }
done
"$python" -c 'import PIL.ImageGrab' 2>/dev/null || { echo "idle_cost: $python lacks PIL (python3-pil)" >&2; exit 1; }

work=$(mktemp -d /tmp/idle_cost.XXXXXX)
exec 4>&2   # the real stderr, for cleanup to speak through
client_pids=() server_pids=()
running() {   # alive and not yet a zombie
    local state
    state=$(awk '/^State:/ { print $2 }' "/proc/$1/status" 2>/dev/null) || return 1
    [ -n "$state" ] && [ "$state" != Z ]
}
cleanup() { cleanup_quietly 2>/dev/null; }
# Quietly: bash announces every job that died of SIGKILL on stderr.
cleanup_quietly() {
    # Clients first and waited for, so none of them complains that its X
    # server went away.
    local pid alive
    for pid in "${client_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    # A client with SDL's audio open may swallow SIGTERM (SDL turns it into
    # an event nobody reads); it gets two seconds, then SIGKILL.
    for _ in $(seq 20); do
        alive=0
        for pid in "${client_pids[@]}"; do running "$pid" && alive=1; done
        [ "$alive" = 0 ] && break
        sleep 0.1
    done
    for pid in "${client_pids[@]}"; do
        running "$pid" || continue
        echo "idle_cost: PID $pid ($(cat "/proc/$pid/comm" 2>/dev/null)) ignored SIGTERM; killing it" >&4
        kill -KILL "$pid" 2>/dev/null || true
    done
    for pid in "${client_pids[@]}"; do wait "$pid" || true; done
    for pid in "${server_pids[@]}"; do kill "$pid" || true; done
    for pid in "${server_pids[@]}"; do wait "$pid" || true; done
    if [ "${KEEP_SHOTS:-0}" = 1 ] || [ -e "$work/keep" ]; then
        echo "idle_cost: screenshots kept in $work" >&4
    else
        rm -rf "$work"
    fi
}
trap cleanup EXIT
fail() { echo "idle_cost: $*" >&2; touch "$work/keep"; exit 1; }

# Xvfb picks a free display itself (-displayfd), so that tools and tests
# starting their own servers meanwhile cannot race us for a number.
# Sets display_<name>, xserver_<name> and wm_<name>.
start_desktop() {
    local name=$1 out="$work/display-$1" number pid
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$out" 2>"$work/xvfb-$name.log" &
    pid=$!; server_pids+=("$pid")
    for _ in $(seq 200); do
        number=$(head -n1 "$out" 2>/dev/null || true)
        [ -n "$number" ] && [ -e "/tmp/.X11-unix/X$number" ] && break
        kill -0 "$pid" 2>/dev/null || fail "Xvfb for $name died: $(cat "$work/xvfb-$name.log")"
        sleep 0.05
    done
    [ -n "$number" ] || fail "Xvfb for $name gave no display"
    printf -v "display_$name" ':%s' "$number"
    printf -v "xserver_$name" '%s' "$pid"
    DISPLAY=":$number" openbox --sm-disable >/dev/null 2>&1 &
    client_pids+=($!)
    printf -v "wm_$name" '%s' "$!"
}

for name in baseline floor disarmed dialog armed xclock buici; do start_desktop "$name"; done
sleep 0.5   # openbox manages the screen before any client maps a window

DISPLAY=$display_floor "$floor_bin" >"$work/floor.log" 2>&1 &
client_floor=$!; client_pids+=("$client_floor")
DISPLAY=$display_disarmed SDL_AUDIODRIVER=dummy "$clock_bin" >"$work/disarmed.log" 2>&1 &
client_disarmed=$!; client_pids+=("$client_disarmed")
DISPLAY=$display_dialog SDL_AUDIODRIVER=dummy "$clock_bin" >"$work/dialog.log" 2>&1 &
client_dialog=$!; client_pids+=("$client_dialog")
DISPLAY=$display_armed SDL_AUDIODRIVER=dummy "$clock_bin" >"$work/armed.log" 2>&1 &
client_armed=$!; client_pids+=("$client_armed")
DISPLAY=$display_xclock xclock -update 1 >"$work/xclock.log" 2>&1 &
client_xclock=$!; client_pids+=("$client_xclock")
DISPLAY=$display_buici buici-clock >"$work/buici.log" 2>&1 &
client_buici=$!; client_pids+=("$client_buici")

# --- Arming -----------------------------------------------------------------
# Everything goes through the X server as a user's mouse and keyboard would:
# the program has no other way in.
xd() { DISPLAY=$display_armed xdotool "$@"; }
shot() { "$python" -c "from PIL import ImageGrab; ImageGrab.grab(xdisplay='$display_armed').save('$work/$1.png')"; }
# Visible windows named Tansywatch with the given client size.
window_of_size() {
    local w
    for w in $(xd search --onlyvisible --name '^Tansywatch$' 2>/dev/null); do
        DISPLAY=$display_armed xwininfo -id "$w" 2>/dev/null |
            awk -v want="$1" '/Width:/ { w = $2 } /Height:/ { h = $2 } END { exit !(w "x" h == want) }' &&
            echo "$w"
    done
}
wait_for_window() {   # SIZE WHAT
    local w
    for _ in $(seq 100); do
        w=$(window_of_size "$1" | head -n1)
        [ -n "$w" ] && { echo "$w"; return; }
        sleep 0.1
    done
    shot "no-$2"; fail "the $2 window ($1) never appeared; see $work/no-$2.png"
}
# One Down per item from the top of a freshly opened drop-down, then Return:
# a pick from the list, which typed text would not be.
pick() {   # X Y INDEX   (arrow of a combo, in dialog client coordinates)
    xd mousemove --window "$dialog" "$1" "$2" click 1
    sleep 0.4
    local keys=()
    for _ in $(seq "$3"); do keys+=(Down); done
    if [ "$3" -gt 0 ]; then xd key --delay 20 "${keys[@]}"; fi
    xd key Return
    sleep 0.3
}

clock_window=$(wait_for_window 142x198 clock)
sleep 1   # first paint

# --- Opening and closing the dialog once ----------------------------------------
for _ in $(seq 100); do
    once=$(DISPLAY=$display_dialog xdotool search --all --pid "$client_dialog" --onlyvisible --name '^Tansywatch$' 2>/dev/null | head -n1 || true)
    [ -n "$once" ] && break
    sleep 0.1
done
[ -n "$once" ] || fail "the clock on the dialog desktop never appeared"
DISPLAY=$display_dialog xdotool mousemove --window "$once" 70 170 click 3
sleep 1
DISPLAY=$display_dialog xdotool key Escape
sleep 0.5
[ "$(DISPLAY=$display_dialog xdotool search --all --pid "$client_dialog" --onlyvisible --name '^Tansywatch$' 2>/dev/null | wc -l)" = 1 ] ||
    fail "the options dialog did not open and close on the dialog desktop"
# Twelve hours away: the alarm cannot come during the measurement.
alarm_hour=$(( (10#$(date +%H) + 12) % 24 ))
alarm_minute=$(( 10#$(date +%M) ))
xd mousemove --window "$clock_window" 70 170 click 3       # body of the clock
dialog=$(wait_for_window 232x193 options)
# The clock keeps itself above other windows and the dialog opens under it;
# moved clear of it, every control can be clicked where it is drawn.
xd windowmove "$dialog" 20 20
sleep 0.4
xd mousemove --window "$dialog" 78 21 click 1              # "Alarm" tab
sleep 0.4
pick 73 67 "$alarm_hour"                                   # "Hour" arrow
pick 129 67 "$alarm_minute"                                # "Min" arrow
shot picked
xd mousemove --window "$dialog" 84 97 click 1              # "Enable Alarm"
# The message box: whatever new Tansywatch window is neither clock nor dialog.
box=
for _ in $(seq 50); do
    box=$(xd search --onlyvisible --name '^Tansywatch$' 2>/dev/null | grep -vx -e "$clock_window" -e "$dialog" | head -n1 || true)
    [ -n "$box" ] && break
    sleep 0.1
done
[ -n "$box" ] || { shot no-box; fail "no message box after Enable Alarm; see $work/picked.png and no-box.png"; }
[ "$(xd getwindowfocus 2>/dev/null)" = "$box" ] || xd windowactivate --sync "$box" 2>/dev/null || true
xd key Return
sleep 1
[ -z "$(window_of_size 232x193)" ] || { shot dialog-left; fail "the options dialog is still open after the message box; see $work/dialog-left.png"; }

# The alarm icon sits at clock (52,137), 40x30. The disarmed clock on the
# twin desktop shows the same time at the same place, so a grab of both at
# once differs there by the icon alone; elsewhere they must agree, or the
# comparison proves nothing. A second may tick between the two grabs, so a
# few tries are allowed.
read -r clock_x clock_y < <(DISPLAY=$display_armed xwininfo -id "$clock_window" |
    awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF } END { print x, y }')
"$python" - "$display_disarmed" "$display_armed" "$clock_x" "$clock_y" "$work" <<'EOF' || fail "arming did not show the alarm icon on the clock; see $work/armed-clock.png and disarmed-clock.png"
import sys, time
from PIL import ImageGrab, ImageChops
plain, armed, x, y, work = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), sys.argv[5]
box = (x, y, x + 142, y + 198)
icon = (52, 137, 92, 167)
for attempt in range(5):
    a = ImageGrab.grab(xdisplay=plain).crop(box)
    b = ImageGrab.grab(xdisplay=armed).crop(box)
    diff = ImageChops.difference(a.convert("RGB"), b.convert("RGB")).convert("L").point(lambda v: 255 if v > 40 else 0)
    inside = diff.crop(icon).histogram()[255]
    outside = diff.histogram()[255] - inside
    print(f"alarm icon check: {inside} pixels differ at the icon, {outside} elsewhere", file=sys.stderr)
    a.save(f"{work}/disarmed-clock.png"); b.save(f"{work}/armed-clock.png")
    if inside >= 150 and outside <= 150:
        sys.exit(0)
    time.sleep(0.35)
sys.exit(1)
EOF
printf 'alarm armed for %02d:%02d, %d s after the start\n' "$alarm_hour" "$alarm_minute" "$SECONDS"

# --- Measuring ----------------------------------------------------------------
sleep "$settle"

# CPU time in nanoseconds of every thread of PID: "tid ns name" lines. The first
# field of schedstat is exact where /proc/PID/stat counts in 10 ms ticks.
threads_ns() {
    local t ns comm _
    [ -d "/proc/$1/task" ] || return 1
    for t in /proc/"$1"/task/*; do
        if read -r ns _ <"$t/schedstat" 2>/dev/null && read -r comm <"$t/comm" 2>/dev/null; then
            echo "${t##*/} $ns ${comm// /_}"
        fi
    done
}
snapshot() {   # SUFFIX
    local name role pid_var pid
    for name in baseline floor disarmed dialog armed xclock buici; do
        for role in xserver wm client; do
            [ "$name" = baseline ] && [ "$role" = client ] && continue
            pid_var="${role}_$name"; pid=${!pid_var}
            threads_ns "$pid" >"$work/$name-$role.$1" || fail "$name's $role (PID $pid) is gone"
        done
    done
}
# Milliseconds spent between the two snapshots. A thread that ended meanwhile
# takes its time with it, so one is reported rather than silently lost.
spent_ms() {   # NAME ROLE
    awk -v who="$1 $2" -v notes="$work/notes" '
        NR == FNR { start[$1] = $2; name[$1] = $3; next }
        { total += $2 - ($1 in start ? start[$1] : 0); seen[$1] = 1 }
        END {
            for (t in start) if (!(t in seen)) printf "%s: thread %s (%s) ended while measured; what it spent meanwhile is missing\n", who, t, name[t] >> notes
            printf "%.1f\n", total / 1e6
        }' "$work/$1-$2.start" "$work/$1-$2.end"
}

read -r load_start _ </proc/loadavg
snapshot start
began=$(date +%s.%N)
sleep "$seconds"
snapshot end
ended=$(date +%s.%N)
read -r load_end _ </proc/loadavg

declare -A rss
for name in floor disarmed dialog armed xclock buici; do
    pid_var="client_$name"
    awk '/^VmHWM:/ { printf "%.1f\n", $2 / 1024 }' "/proc/${!pid_var}/status" >"$work/$name.hwm"
    rss[$name]=$(awk '/^VmRSS:/ { printf "%.1f", $2 / 1024 }' "/proc/${!pid_var}/status")
done

base_x=$(spent_ms baseline xserver); base_wm=$(spent_ms baseline wm)
printf '\nCPU over %s s (measured %.1f s), in ms; cost = client + X server + window manager - (the same of the baseline)\n' \
    "$seconds" "$(awk -v a="$began" -v b="$ended" 'BEGIN { print b - a }')"
printf '%-22s %9s %9s %9s %9s %10s %10s\n' program client X-server openbox cost 'RSS' 'peak RSS'
printf '%-22s %9s %9s %9s %9s %10s %10s\n' '(baseline: no client)' - "$base_x" "$base_wm" - - -
declare -A cost
for name in floor disarmed dialog armed xclock buici; do
    case $name in
        floor)    label='Qt floor (bare window)' ;;
        dialog)   label='tansywatch, dialog' ;;
        disarmed) label='tansywatch, disarmed' ;;
        armed)    label='tansywatch, armed' ;;
        xclock)   label='xclock -update 1' ;;
        buici)    label='buici-clock' ;;
    esac
    c=$(spent_ms "$name" client); x=$(spent_ms "$name" xserver); w=$(spent_ms "$name" wm)
    cost[$name]=$(awk -v c="$c" -v x="$x" -v w="$w" -v bx="$base_x" -v bw="$base_wm" 'BEGIN { printf "%.1f", c + x + w - bx - bw }')
    printf '%-22s %9s %9s %9s %9s %6s MiB %6s MiB\n' "$label" "$c" "$x" "$w" "${cost[$name]}" "${rss[$name]}" "$(cat "$work/$name.hwm")"
done

[ ! -s "$work/notes" ] || sort -u "$work/notes"

# Where the clock's time goes, thread by thread.
for name in disarmed armed; do
    awk -v label="tansywatch $name, ms by thread:" '
        NR == FNR { start[$1] = $2; next }
        { by[$3] += ($2 - ($1 in start ? start[$1] : 0)) / 1e6 }
        END { printf "%s", label; for (n in by) printf " %s %.1f", n, by[n]; print "" }' \
        "$work/$name-client.start" "$work/$name-client.end"
done

bound() {   # TEXT AWK-CONDITION
    if awk -v d="${cost[disarmed]}" -v a="${cost[armed]}" -v x="${cost[xclock]}" -v b="${cost[buici]}" "BEGIN { exit !($2) }"; then
        printf '  holds:          %s\n' "$1"
    else
        printf '  DOES NOT HOLD:  %s\n' "$1"
    fi
}
echo
echo "bounds on cost:"
bound "disarmed <= 1.5 x xclock -update 1 (${cost[disarmed]} <= $(awk -v x="${cost[xclock]}" 'BEGIN { printf "%.1f", 1.5 * x }'))" 'd <= 1.5 * x'
bound "disarmed < buici-clock (${cost[disarmed]} < ${cost[buici]})" 'd < b'
bound "armed <= 1.5 x disarmed (${cost[armed]} <= $(awk -v d="${cost[disarmed]}" 'BEGIN { printf "%.1f", 1.5 * d }'))" 'a <= 1.5 * d'
membound() {   # TEXT AWK-CONDITION
    if awk -v f="${rss[floor]}" -v d="${rss[disarmed]}" -v o="${rss[dialog]}" "BEGIN { exit !($2) }"; then
        printf '  holds:          %s\n' "$1"
    else
        printf '  DOES NOT HOLD:  %s\n' "$1"
    fi
}
echo "bounds on resident memory:"
membound "disarmed <= floor + 2 MiB (${rss[disarmed]} <= $(awk -v f="${rss[floor]}" 'BEGIN { printf "%.1f", f + 2 }'))" 'd <= f + 2'
membound "dialog opened and closed <= disarmed + 6 MiB (${rss[dialog]} <= $(awk -v d="${rss[disarmed]}" 'BEGIN { printf "%.1f", d + 6 }'))" 'o <= d + 6'
printf '\nload average (1 min) %s at the start, %s at the end' "$load_start" "$load_end"
awk -v s="$load_start" -v e="$load_end" 'BEGIN { if (s >= 1 || e >= 1) printf " -- the machine was busy; figures are noisier"; print "" }'
echo "run time $SECONDS s"
