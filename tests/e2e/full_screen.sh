#!/usr/bin/env bash
# Full screen under a window manager (Openbox): F11 makes the window cover
# the screen with the table fitted to it, and F11 again brings back the
# window's place and size as they were.
#
#   full_screen.sh <plumfizz-e2e> <plumfizz-e2e-close-box>
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
command -v openbox >/dev/null || skip "openbox is not installed (scripts/setup.sh installs it)"

# geometry: "X Y WIDTH HEIGHT" of the game's window as the window manager placed it.
geometry() {
    xdotool getwindowgeometry --shell "$window" | awk -F= '
        $1 == "X" { x = $2 } $1 == "Y" { y = $2 } $1 == "WIDTH" { w = $2 } $1 == "HEIGHT" { h = $2 }
        END { print x, y, w, h }'
}

# red_pixels: how many pure red pixels the screen shows, the payline's and
# its arrows': more when the table is laid out larger.
red_pixels() {
    import -window root "$work/screen.png" 2>/dev/null || fail "no screenshot"
    convert "$work/screen.png" -fill black +opaque '#FF0000' -fill white -opaque '#FF0000' \
        -format '%[fx:round(mean*w*h)]' info:
}

# wait_for_geometry EXPECTED: true once the window has it (a window manager answers in its own time).
wait_for_geometry() {
    for _ in $(seq 50); do
        [ "$(geometry)" = "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

step "a window manager on the display"
openbox --sm-disable >"$work/openbox.log" 2>&1 &
sleep 1

step "F11 covers the screen, F11 again restores the window"
start_game
xdotool windowactivate --sync "$window" 2>/dev/null || true
before=$(geometry)
screen=$(xdotool getdisplaygeometry)
windowed=$(red_pixels)
echo "window at $before on a screen of $screen; $windowed red pixels"
xdotool key F11
wait_for_geometry "0 0 $screen" || fail "after F11 the window is at $(geometry), not covering the $screen screen"
sleep 0.5
full=$(red_pixels)
echo "full screen: $full red pixels"
[ "$full" -gt "$windowed" ] || fail "the table is not larger on the whole screen ($full red pixels, $windowed in the window)"
xdotool key F11
wait_for_geometry "$before" || fail "after F11 again the window is at $(geometry), not back at $before"
sleep 0.5
[ "$(red_pixels)" -eq "$windowed" ] || fail "back in the window the table is not as it was ($(red_pixels) red pixels, $windowed before)"

"$close_box" "$window" || fail "could not send the close box's message"
wait_for_exit 30
[ "$exit_status" -eq 0 ] || fail "the game exited with status $exit_status"
echo "PASS"
