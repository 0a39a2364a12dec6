#!/usr/bin/env bash
# Native Wayland on weston: the game drawn through Qt's wayland platform on a
# weston compositor (its X11 back end, on the private Xvfb, so that xdotool can
# type into it). F11 makes the window full screen and F11 again brings it back
# as it was, from a maximised window (where Qt's maximise before leaving full
# screen made weston end the connection) and from a normal one; SIGTERM then
# closes the game, saved, its lock gone.
#
#   wayland.sh <plumfizz-e2e> <plumfizz-e2e-close-box>
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
command -v weston >/dev/null || skip "weston is not installed (scripts/setup.sh installs it)"
compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null ||
    skip "Qt's wayland platform is not installed (qt6-wayland; scripts/setup.sh installs it)"

socket=plumfizz-e2e-$$
weston_pid=""
stop_weston() {
    if [ -n "$weston_pid" ] && kill -0 "$weston_pid" 2>/dev/null; then
        kill "$weston_pid" 2>/dev/null || true
        wait "$weston_pid" 2>/dev/null || true
    fi
}
trap 'stop_weston; cleanup' EXIT

step "weston on the X server"
weston --backend=x11-backend.so --use-pixman --no-config --idle-time=0 --socket="$socket" \
    --width=1024 --height=740 >"$work/weston.log" 2>&1 &
weston_pid=$!
compositor=$(timeout 20 xdotool search --sync --onlyvisible --class '^weston' 2>/dev/null | head -n 1) ||
    fail "weston showed no window: $(tail -n 5 "$work/weston.log")"
for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
    sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/$socket" ] || fail "weston made no socket: $(tail -n 5 "$work/weston.log")"
xdotool windowfocus "$compositor"
export QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=$socket
# Under the sanitizers: Qt's Wayland platform plugin and the libraries it
# loads keep records until exit and are unloaded then, so the leak check
# reports blocks of an unknown module it cannot put down to anyone. Memory
# errors are still checked; leaks are checked by every other round.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

# red_pixels: the payline's pure red pixels on weston's output; more when the
# table is laid out larger.
red_pixels() {
    import -window "$compositor" "$work/output.png" 2>/dev/null || fail "no screenshot of weston's output"
    convert "$work/output.png" -fill black +opaque '#FF0000' -fill white -opaque '#FF0000' \
        -format '%[fx:round(mean*w*h)]' info:
}

# settled: the red pixel count once two screenshots half a second apart agree.
settled() {
    local last="" now
    for _ in $(seq 40); do
        now=$(red_pixels)
        [ "$now" -gt 0 ] && [ "$now" = "$last" ] && { echo "$now"; return 0; }
        last=$now
        kill -0 "$game_pid" 2>/dev/null || return 1
        sleep 0.5
    done
    echo "$now"
}

alive() {
    kill -0 "$game_pid" 2>/dev/null ||
        fail "the game ended $1 (weston: $(grep -i 'error\|kill\|disconnect' "$work/weston.log" | tail -n 3))"
}

# round NAME: F11 twice in a game started with the environment given after NAME.
round() {
    local name=$1 windowed full back status
    shift
    step "$name: F11, F11 again, SIGTERM"
    rm -f "$saved_games"
    env "$@" "$game_dir/plumfizz" >>"$work/game.log" 2>&1 &
    game_pid=$!
    sleep 1.5
    alive "at start"
    windowed=$(settled) || alive "at start"
    [ "$windowed" -gt 0 ] || fail "no table on weston's output"
    xdotool key F11
    sleep 0.5
    full=$(settled) || alive "on F11"
    echo "windowed: $windowed red pixels; full screen: $full"
    [ "$full" -gt "$windowed" ] || fail "$name: the table is not larger full screen ($full red pixels, $windowed before)"
    xdotool key F11
    sleep 1
    back=$(settled) || alive "leaving full screen"
    alive "leaving full screen"
    [ "$back" -eq "$windowed" ] || fail "$name: the window is not back as it was ($back red pixels, $windowed before)"
    [ ! -e "$saved_games" ] || fail "the game was saved before it closed; SIGTERM would prove nothing"
    kill -TERM "$game_pid"
    wait_for_exit 20
    [ "$exit_status" -eq 0 ] || fail "$name: the game ended with status $exit_status after SIGTERM"
    [ -n "$(game Credits)" ] || fail "$name: no game saved on SIGTERM"
    [ ! -e "$saved_games.lock" ] || fail "$name: the lock file was left behind"
    ! grep -qi 'does not match\|protocol error' "$work/weston.log" "$work/game.log" ||
        fail "$name: a protocol error: $(grep -i 'does not match\|protocol error' "$work/weston.log" "$work/game.log")"
}

# Below 100 logical pixels per inch the window starts maximised.
round "maximised window" QT_FONT_DPI=90
round "normal window" QT_FONT_DPI=96
echo "PASS"
