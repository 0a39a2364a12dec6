#!/usr/bin/env bash
# The gallery: every window a player can meet, opened through the game's main
# window on a screen of 1024 x 768 and of 1920 x 1080 under a window manager,
# one PNG each in <folder>/<width>x<height>/. Fails when a window does not open.
#
#   gallery.sh <plumfizz-gallery> <folder>
set -euo pipefail

gallery=$(realpath "$1")
folder=$(realpath -m "$2")
build_dir=$(dirname "$gallery")  # the theme files are built beside the programs

skip() {
    echo "SKIPPED: $*"
    exit 77
}
command -v Xvfb >/dev/null || skip "Xvfb is not installed (scripts/setup.sh installs it)"
command -v xdotool >/dev/null || skip "xdotool is not installed (scripts/setup.sh installs it)"

work=$(mktemp -d "${TMPDIR:-/tmp}/plumfizz-gallery.XXXXXX")
xvfb_pid=""
wm_pid=""
stop_display() {
    for pid in "$wm_pid" "$xvfb_pid"; do
        if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
        fi
    done
    wm_pid=""
    xvfb_pid=""
}
trap 'stop_display; rm -rf "$work"' EXIT

# The program as a player has it: named plumfizz, beside the theme files.
game_dir="$work/game"
mkdir -p "$game_dir"
cp "$gallery" "$game_dir/plumfizz"
for file in "$build_dir"/*.bmp "$build_dir"/*.wav "$build_dir"/*.mid "$build_dir"/*.html \
    "$build_dir"/plumfizz-manual "$build_dir"/sponsors; do
    [ -e "$file" ] && ln -s "$file" "$game_dir/"
done
[ -e "$game_dir/Plum.bmp" ] || { echo "FAIL: the theme's Plum.bmp is not in $build_dir" >&2; exit 1; }

# start_display WIDTHxHEIGHT: Xvfb of that size on a free display, Openbox on it.
start_display() {
    local number
    for number in $(seq 80 89); do
        [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ] && continue
        Xvfb ":$number" -screen 0 "${1}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 100); do
            if DISPLAY=":$number" xdotool getdisplaygeometry >/dev/null 2>&1; then
                export DISPLAY=":$number"
                if command -v openbox >/dev/null; then
                    openbox --sm-disable >"$work/openbox.log" 2>&1 &
                    wm_pid=$!
                    export PLUMFIZZ_GALLERY_WINDOW_MANAGER=1
                    sleep 1
                fi
                return 0
            fi
            kill -0 "$xvfb_pid" 2>/dev/null || break
            sleep 0.1
        done
        stop_display
    done
    echo "FAIL: no free X display in :80..:89" >&2
    exit 1
}

expected="table bonus-closed-boxes bonus-empty-box bonus-prize slots-open help-from-slots slots-save name-question borrow
borrow-refused-over-limit borrow-refused-more-than-borrowed borrow-refused-not-enough-credits borrow-help
borrow-extremes statistics payoff-chart payoff-chart-missing version help company-information sponsors history volume
out-of-credits no-bet update-reminder unwritable-profile"

status=0
for size in 1024x768 1920x1080; do
    echo "== $size"
    start_display "$size"
    rm -rf "$folder/$size" "$work/config" "$work/data"
    mkdir -p "$folder/$size" "$work/config" "$work/data" "$work/runtime"
    chmod 700 "$work/runtime"
    XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime" \
        QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy timeout 120 "$game_dir/plumfizz" "$folder/$size" || status=1
    stop_display
    for name in $expected; do
        [ -s "$folder/$size/$name.png" ] || { echo "FAIL: no picture of $name at $size" >&2; status=1; }
    done
done
[ "$status" -eq 0 ] && echo "gallery written to $folder"
exit "$status"
