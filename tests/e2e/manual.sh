#!/usr/bin/env bash
# The manual and the sponsor window on the test build of the game under a
# virtual X server:
#   1. F1 on the table opens the help window at the table's topic (41003);
#   2. Help > the manual opens it at the contents;
#   3. Help > Visit our Sponsors opens the sponsor window; a click on the first
#      sponsor hands its address to the browser (a stand-in that writes down
#      what it is given) and the window stays open.
# A screenshot of the help window and the sponsor window is kept in
# $PLUMFIZZ_E2E_SHOTS when it is set.
#
#   manual.sh <plumfizz-e2e> <plumfizz-e2e-close-box>
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
[ -f "$game_dir/plumfizz.html" ] || fail "the manual plumfizz.html is not beside $program"

# The browser stand-in: the desktop hands web addresses to xdg-open.
mkdir -p "$work/bin"
browser_log="$work/browser.log"
cat >"$work/bin/xdg-open" <<STANDIN
#!/bin/sh
printf '%s\n' "\$*" >>"$browser_log"
STANDIN
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"
unset BROWSER DEFAULT_BROWSER

manual_title="Plumfizz Slots Manual"
sponsors_title="Please Visit our Sponsors...They Made This Program FREE!"

step "1: F1 on the table opens the manual at the table's topic"
start_game
xdotool key F1
find_window "$manual_title - Playing the game"
help_window=$found_window
sleep 0.5
keep_shot manual
focus "$help_window"
xdotool key Escape
wait_gone "$help_window" "$manual_title - Playing the game"

step "2: Help > the manual opens the contents"
focus "$window"
xdotool key alt+h
sleep 0.4
xdotool key p
find_window "$manual_title - Contents"
help_window=$found_window
focus "$help_window"
xdotool key Escape
wait_gone "$help_window" "$manual_title - Contents"

step "3: the sponsor window hands a sponsor's address to the browser and stays open"
focus "$window"
xdotool key alt+h
sleep 0.4
xdotool key v
find_window "$sponsors_title"
sponsors=$found_window
sleep 0.5
keep_shot sponsors
geometry=$(xdotool getwindowgeometry --shell "$sponsors")
sx=$(sed -n 's/^X=//p' <<<"$geometry")
sy=$(sed -n 's/^Y=//p' <<<"$geometry")
# The first entry of the sponsor list, 8 across and 232 down, 153 × 17: the publisher.
xdotool mousemove $((sx + 8 + 76)) $((sy + 232 + 8))
sleep 0.2
xdotool click 1
for _ in $(seq 50); do
    [ -s "$browser_log" ] && break
    sleep 0.1
done
[ -s "$browser_log" ] || fail "the browser stand-in was given no address"
grep -qxF "https://www.example.com" "$browser_log" || fail "the browser was given: $(cat "$browser_log")"
xdotool search --onlyvisible --name "^$sponsors_title\$" 2>/dev/null | grep -qx "$sponsors" ||
    fail "the sponsor window closed after the click"
"$close_box" "$sponsors" || fail "could not send the close box's message to the sponsor window"
wait_gone "$sponsors" "$sponsors_title"

"$close_box" "$window" || fail "could not send the close box's message"
wait_for_exit 15
[ "$exit_status" -eq 0 ] || fail "the game exited with status $exit_status"

echo "PASS: the manual at its topics and a sponsor's address handed to the browser"
