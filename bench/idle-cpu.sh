#!/usr/bin/env bash
# The game's processor time and memory while it stands idle under Xvfb, with
# the music on (as every run starts) and then switched off in the Options
# menu. SDL's disk driver stands in for a sound card, writing to /dev/null.
#
#   bench/idle-cpu.sh BUILD_DIR [SECONDS] [DISPLAY]
#
# Prints, for each state, utime+stime over the interval as a percentage of
# one core (from /proc/<pid>/stat), split by thread, and the resident memory;
# then the load average, since other work on the machine moves the figures.
# Needs Xvfb and xdotool; the display is started if it is not running.
set -euo pipefail

build=$(realpath "${1:?usage: bench/idle-cpu.sh BUILD_DIR [SECONDS] [DISPLAY]}")
seconds=${2:-20}
display=${3:-:45}
[ -x "$build/plumfizz" ] || { echo "no $build/plumfizz (build the project first)" >&2; exit 2; }

source "$(dirname "${BASH_SOURCE[0]}")/game-under-xvfb.sh"
start_game_setup idle "$build/plumfizz" "$build" "$display"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null

launch_game
sleep 3  # the first track starts a second after start-up

ticks=$(getconf CLK_TCK)
# "name ticks" for each thread of the game (utime + stime, fields 14 and 15).
thread_ticks() {
    for stat in /proc/"$game"/task/*/stat; do
        sed -E 's/^[0-9]+ \((.*)\) (.*)$/\1\t\2/' "$stat" | awk -F'\t' '{ split($2, f, " "); print $1 "\t" f[12] + f[13] }'
    done | awk -F'\t' '{ sum[$1] += $2 } END { for (name in sum) print name "\t" sum[name] }' | sort
}

measure() {
    local before after
    before=$(thread_ticks)
    sleep "$seconds"
    after=$(thread_ticks)
    join -t$'\t' <(echo "$before") <(echo "$after") | awk -F'\t' -v t="$ticks" -v s="$seconds" -v what="$1" '
        { used = ($3 - $2) / t / s * 100; total += used; if (used > 0) parts = parts sprintf(", %s %.2f", $1, used) }
        END { printf "%s: CPU %.2f %% of one core (%s)", what, total, substr(parts, 3) }'
    printf "; resident %d MB\n" "$(($(awk '/^VmRSS:/ { print $2 }' /proc/"$game"/status) / 1024))"
}

measure "music on "
window=$(xdotool search --sync --pid "$game" --onlyvisible 2>/dev/null | head -n 1)
xdotool windowfocus --sync "$window" key alt+o
sleep 0.3
xdotool key Down Return
sleep 2
measure "music off"
echo "load average $(cut -d' ' -f1-3 /proc/loadavg)"
