# Sourced by the bench scripts that run the game under Xvfb: a work directory,
# a private copy of the game with the default theme beside it, a private
# profile, and the display (started when it is not running). Everything
# started is ended on exit, the X server last.
#
#   start_game_setup NAME PROGRAM BUILD_DIR DISPLAY
#
# sets $work and exports DISPLAY, XDG_CONFIG_HOME, XDG_RUNTIME_DIR and
# QT_QPA_PLATFORM; processes appended to the pids array are ended on exit.
#
#   launch_game
#
# starts the copy with its frame log in $work/frames.log, sets $game to its
# process id and returns once it has painted its table.
# KEEP=1 keeps the work directory.

pids=()
work=""
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
    wait 2>/dev/null || true
    if [ -n "$work" ]; then
        if [ "${KEEP:-0}" = 1 ]; then echo "kept $work"; else rm -rf "$work"; fi
    fi
}
trap cleanup EXIT
trap "exit 1" INT TERM

start_game_setup() {
    local name=$1 program=$2 build=$3 display=$4 file
    work=$(mktemp -d "${TMPDIR:-/tmp}/plumfizz-$name.XXXXXX")
    mkdir -p "$work/game" "$work/config" "$work/runtime"
    chmod 700 "$work/runtime"
    cp "$program" "$work/game/plumfizz"
    for file in "$build"/*.bmp "$build"/*.wav "$build"/*.mid; do ln -s "$file" "$work/game/"; done

    if ! DISPLAY=$display xdotool getdisplaygeometry >/dev/null 2>&1; then
        Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
        pids+=($!)
        for _ in $(seq 50); do
            DISPLAY=$display xdotool getdisplaygeometry >/dev/null 2>&1 && break
            sleep 0.1
        done
    fi
    export DISPLAY=$display XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb
}

launch_game() {
    export PLUMFIZZ_FRAME_LOG="$work/frames.log"
    "$work/game/plumfizz" >"$work/game.log" 2>&1 &
    game=$!
    pids+=($game)
    for _ in $(seq 100); do
        grep -q first-paint "$work/frames.log" 2>/dev/null && break
        sleep 0.1
    done
    grep -q first-paint "$work/frames.log" 2>/dev/null || { echo "the game did not paint its table" >&2; exit 1; }
}
