#!/usr/bin/env bash
# Peak resident memory of the game under Xvfb at several screen sizes, read
# after start-up and twenty one-coin spins (VmHWM of /proc/<pid>/status),
# and a second line with what is resident then: shared, anonymous and file pages.
#
#   bench/peak-memory.sh <program> [WIDTHxHEIGHT ...]   (default 1024x768 1920x1080 3840x2160)
#
# The program runs from its own directory (its theme beside it) with a fresh
# private profile and SDL's dummy audio driver, so the music plays (the Music
# switch is on at every start) and is synthesised as on a machine with sound;
# each line says whether the audio thread ran. SDL_AUDIODRIVER=none measures
# the game without an audio output (no driver of that name: the game runs
# silent). Needs Xvfb and xdotool.
set -euo pipefail

if [ $# -lt 1 ] || [ ! -x "$1" ]; then
    echo "usage: $0 <program> [WIDTHxHEIGHT ...]" >&2
    exit 2
fi
program=$(realpath "$1")
shift
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1024x768 1920x1080 3840x2160)
spins=20
title="Plumfizz Slots"

work=$(mktemp -d "${TMPDIR:-/tmp}/plumfizz-memory.XXXXXX")
xvfb_pid=""
game_pid=""
cleanup() {
    [ -z "$game_pid" ] || kill -KILL "$game_pid" 2>/dev/null || true
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "peak-memory: $*" >&2
    exit 1
}

saved_spins() { # of the running game; nothing before its first save
    [ -f "$work/config/tallyho/plumfizz.ini" ] || return 0
    sed -n 's/^Spins=\([0-9]*\).*/\1/p' "$work/config/tallyho/plumfizz.ini" | head -n 1
}

kib() {
    sed -n "s/^$1:[[:space:]]*\([0-9]*\) kB/\1/p" "/proc/$game_pid/status"
}

measure() { # WIDTHxHEIGHT
    rm -rf "$work/config" && mkdir -p "$work/config" "$work/runtime" && chmod 700 "$work/runtime"
    # Xvfb picks a free display itself and writes its number to fd 3.
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    exec 3>&-
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || fail "Xvfb did not start: $(tail -n 2 "$work/xvfb.log")"
    local display=":$(head -n 1 "$work/display")"

    DISPLAY=$display XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
        SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}" "$program" >"$work/game.log" 2>&1 &
    game_pid=$!
    local window
    window=$(DISPLAY=$display timeout 60 xdotool search --sync --onlyvisible --name "^$title\$" | head -n 1) ||
        fail "no game window at $1"
    DISPLAY=$display xdotool windowfocus "$window"
    sleep 1.5 # the start-up tick releases the table
    # One coin, then Enter for each spin (the last bet again). Enter also
    # opens a random box when the bonus window comes up.
    DISPLAY=$display xdotool key b
    local waited=0 before
    while [ "$(saved_spins)" = "" ] || [ "$(saved_spins)" -lt "$spins" ]; do
        before=$(saved_spins)
        DISPLAY=$display xdotool key Return
        for _ in $(seq 100); do
            [ "$(saved_spins)" != "$before" ] && break
            kill -0 "$game_pid" 2>/dev/null || fail "the game ended at $1: $(tail -n 3 "$work/game.log")"
            sleep 0.1
        done
        if [ "$(saved_spins)" = "$before" ]; then
            waited=$((waited + 10))
            [ "$waited" -lt 120 ] || fail "no spin ended for two minutes at $1 (after ${before:-0} spins)"
        else
            waited=0
        fi
    done
    sleep 0.5
    local bonus
    bonus=$(sed -n 's/^BonusWon=\([0-9]*\).*/\1/p' "$work/config/tallyho/plumfizz.ini" | head -n 1)
    local audio="no audio output"
    grep -qs '^SDLAudio' /proc/"$game_pid"/task/*/comm && audio="audio thread running"
    printf '%-10s peak %4d MB  now %4d MB  (%s spins, bonus won %s, %s)\n' "$1" $(($(kib VmHWM) / 1024)) \
        $(($(kib VmRSS) / 1024)) "$(saved_spins)" "${bonus:-0}" "$audio"
    # Where it is now: the window's backing store is shared with the X server,
    # the table's surface and pictures are anonymous, libraries are files.
    printf '%-10s      shared %d MB, anonymous %d MB, files %d MB\n' "" $(($(kib RssShmem) / 1024)) \
        $(($(kib RssAnon) / 1024)) $(($(kib RssFile) / 1024))
    kill -KILL "$game_pid" 2>/dev/null || true
    wait "$game_pid" 2>/dev/null || true
    game_pid=""
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
}

for size in "${sizes[@]}"; do
    [[ "$size" =~ ^[0-9]+x[0-9]+$ ]] || fail "not a screen size: $size"
    measure "$size"
done
