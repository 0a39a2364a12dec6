#!/usr/bin/env bash
# Reel pacing under Xvfb: plays SPINS losing spins (5 coins each, forced stops)
# with the end-to-end build and reports, from the frame log, how long each
# spin takes from its first to its 47th animation frame (the floor is
# 46 x 25 ms = 1150 ms) and the largest gap between two frames.
#
#   bench/pacing.sh BUILD_DIR [SPINS] [DISPLAY]
#
# LOAD=N starts N busy processes (yes >/dev/null) for the run and ends them
# afterwards, each in a session of its own as if started from another
# terminal (with autogroup scheduling, processes of one session share their
# group's time). The load average is printed with the figures, since other work
# on the machine moves them. Needs Xvfb and xdotool.
set -euo pipefail

build=$(realpath "${1:?usage: bench/pacing.sh BUILD_DIR [SPINS] [DISPLAY]}")
spins=${2:-40}
display=${3:-:45}
load=${LOAD:-0}
program="$build/plumfizz-e2e"
[ -x "$program" ] || { echo "no $program (build the project first)" >&2; exit 2; }

source "$(dirname "${BASH_SOURCE[0]}")/game-under-xvfb.sh"
start_game_setup pacing "$program" "$build" "$display"
export SDL_AUDIODRIVER=dummy
# Blank paylines, no nudges, no bonus points: every spin is the plain animation.
export PLUMFIZZ_TEST_STOPS=3,9,13

launch_game
sleep 1

for _ in $(seq "$load"); do
    setsid yes >/dev/null &
    pids+=($!)
done

window=$(xdotool search --sync --pid "$game" --onlyvisible 2>/dev/null | head -n 1)
for spin in $(seq "$spins"); do
    xdotool windowfocus --sync "$window" key m
    # The game is saved after each completed spin.
    for _ in $(seq 100); do
        grep -qx "Spins=$spin" "$work/config/tallyho/plumfizz.ini" 2>/dev/null && break
        sleep 0.05
    done
done
loadavg=$(cut -d' ' -f1-3 /proc/loadavg)

awk -v busy="$load" -v loadavg="$loadavg" '
    $2 == "frame" {
        if ($3 == 1) { first = $1; previous = $1; gap = 0 }
        else { if ($1 - previous > gap) gap = $1 - previous; previous = $1 }
        if ($3 == 47) { n++; took[n] = ($1 - first) / 1000; widest[n] = gap / 1000 }
    }
    function median(a, count,   i, j, t) {
        for (i = 2; i <= count; i++) for (j = i; j > 1 && a[j - 1] > a[j]; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
        return count % 2 ? a[(count + 1) / 2] : (a[count / 2] + a[count / 2 + 1]) / 2
    }
    END {
        if (n == 0) { print "no complete spin in the frame log"; exit 1 }
        within = 0
        for (i = 1; i <= n; i++) if (took[i] <= 1173) within++
        printf "%d spins, %d busy processes, load average %s\n", n, busy, loadavg
        printf "first to 47th frame: median %.1f ms", median(took, n)
        printf ", min %.1f, max %.1f; %d of %d within 1173 ms\n", took[1], took[n], within, n
        printf "widest gap between frames: median %.2f ms, max %.2f ms\n", median(widest, n), widest[n]
    }' "$work/frames.log"
