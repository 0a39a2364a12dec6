#!/usr/bin/env bash
# Plays the test build of the game with a screen reader's means: on a private
# D-Bus session with the accessibility bus, a script finds the table's buttons
# by role and name, bets and spins through the accessibility interface, and
# reads the announcements and the counters; the saved game must agree.
# The stops are forced to three double bars with a nudge and 4 bonus points,
# so the third spin fills the meter and the bonus window's Box 3 is pressed.
#
#   screen_reader.sh <plumfizz-e2e> <plumfizz-e2e-close-box>
set -euo pipefail

# A bus of its own: the game and the script must meet on it, and a desktop's
# own screen reader must not hear the test.
if [ -z "${PLUMFIZZ_PRIVATE_BUS:-}" ]; then
    command -v dbus-run-session >/dev/null || { echo "SKIPPED: dbus-run-session is not installed (scripts/setup.sh installs it)"; exit 77; }
    exec env PLUMFIZZ_PRIVATE_BUS=1 dbus-run-session -- bash "$0" "$@"
fi

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

reader=/usr/bin/python3
"$reader" -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is not installed (scripts/setup.sh installs it)"
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi2-core is not installed (scripts/setup.sh installs it)"

step "the accessibility bus on the private session"
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >"$work/a11y-bus.txt" 2>&1 ||
    fail "the accessibility bus did not start: $(cat "$work/a11y-bus.txt")"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export PLUMFIZZ_TEST_STOPS=27,12,2

step "a bet, three spins and the bonus game through the accessibility interface"
start_game
timeout 120 "$reader" "$(dirname "${BASH_SOURCE[0]}")/screen_reader.py" "Three double bars. You win 10." \
    >"$work/reader.log" 2>&1 || { cat "$work/reader.log"; fail "the screen reader's round failed"; }
cat "$work/reader.log"
credits=$(sed -n 's/^CREDITS //p' "$work/reader.log" | tail -n 1)

step "the game closed; the file holds what was read"
"$close_box" "$window" || fail "could not send the close box's message"
wait_for_exit 30
[ "$exit_status" -eq 0 ] || fail "the game exited with status $exit_status"
expect_key "$saved_games" CurrentGame Credits "$credits"
expect_key "$saved_games" CurrentGame Spins 3
expect_key "$saved_games" CurrentGame BonusPts 0
echo "PASS"
