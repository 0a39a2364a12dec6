#!/usr/bin/env bash
# Borrows and pays back on the test build of the game under a virtual X
# server, as a player would, and checks the table, a refusal's text and the
# saved game:
#   1. a saved game with 0 credits and 1000 borrowed; Borrow, $100 twice with
#      the mouse, OK with Alt+O: the table's Credits counter reads 200;
#   2. Borrow again, Pay Back mode, $1,000: the information box says
#      "You do not have 1000.00 credits!" and nothing changes;
#   3. Stats and Payoffs open from the menu bar and close with the keyboard;
#   4. the close box saves Credits 200 and Borrowed 1200;
#   5. the game resumes; $1 borrowed, then SIGTERM with the borrow window
#      still open: the window is dismissed and Credits 201, Borrowed 1201 saved;
#   6. three losing spins: `plumfizz --history` lists the two borrowings and
#      the three spins with their stops, in a chain of credits;
#   7. the second spin recalled from the history window (screenshot "recall"):
#      B and Space do nothing, Escape returns to play, nothing is saved or kept;
#   8. a click on $100, then Enter: OK closes the window, $100 borrowed once.
# A screenshot of each dialog is kept in $PLUMFIZZ_E2E_SHOTS when it is set.
#
#   borrow.sh <plumfizz-e2e> <plumfizz-e2e-close-box> <plumfizz-e2e-clipboard> <LargeGreenDigits.png>
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
clipboard=$(realpath "$3")
digit_strip=$(realpath "$4")
command -v compare >/dev/null || skip "compare is not installed (scripts/setup.sh installs it)"
mkdir -p "$work/config/tallyho"
borrow_title="Use this form to borrow or pay back credits"

expect_saved() { # KEY EXPECTED
    local value
    value=$(ini_get "$saved_games" CurrentGame "$1")
    [ "$value" = "$2" ] || fail "the saved game's $1 is '$value', expected $2"
}

# window_origin ID: its client area's top-left corner on the screen in $wx, $wy.
window_origin() {
    local geometry
    geometry=$(xdotool getwindowgeometry --shell "$1")
    wx=$(sed -n 's/^X=//p' <<<"$geometry")
    wy=$(sed -n 's/^Y=//p' <<<"$geometry")
    ww=$(sed -n 's/^WIDTH=//p' <<<"$geometry")
    wh=$(sed -n 's/^HEIGHT=//p' <<<"$geometry")
}

click_at() {
    xdotool mousemove "$1" "$2"
    sleep 0.1
    xdotool click 1
    sleep 0.4
}

# box_text ID: the text of a message box, selected with the mouse from the
# start of its pale gold lettering on the plum (right of the icon, above the
# button) to past its end.
box_text() {
    local found
    window_origin "$1"
    import -window root "$work/box.png" 2>/dev/null || fail "no screenshot"
    found=$(convert "$work/box.png" -crop "$((ww - 56))x$((wh - 48))+$((wx + 56))+$wy" +repage -depth 8 txt:- |
        awk -F'[,: ()]+' '!/^#/ && $3 > 200 && $4 > 200 {
                if (min == "" || $1 < min) min = $1; if ($1 > max) max = $1; sum += $2; n++ }
            END { if (n > 0) print min, max, int(sum / n) }')
    [ -n "$found" ] || fail "no lettering in the message box"
    read -r left right middle <<<"$found"
    xdotool mousemove $((wx + 56 + left)) $((wy + middle)) mousedown 1
    sleep 0.2
    xdotool mousemove $((wx + 56 + right + 40)) $((wy + middle))
    sleep 0.2
    xdotool mouseup 1
    sleep 0.3
    "$clipboard" 2>/dev/null || fail "nothing could be selected in the message box"
}

# The Credits counter ends at Scaled(620) of the table, its digit cells from
# Scaled(44): the large green strip's 32 x 42 cells on tables 1000 pixels wide
# or more, the small one's 16 x 21 below, each grown with the table beyond the
# width it is sized for (1024 and 800) and drawn from the strip's variants.
# credits_cells_are D...: the cells left of the end show these digits of the
# table's green strip (its four-times variant at the cells' size, give or take
# the smoothing).
credits_cells_are() {
    local shot="$work/credits.png" count=$# i=0 digit x error name=LargeGreenDigits bw=32 bh=42 scale
    scale=$(awk -v w="$layout_width" 'BEGIN { s = w / 1024; print (s < 1 ? 1 : s) }')
    if [ "$layout_width" -lt 1000 ]; then
        name=SmallGreenDigits bw=16 bh=21
        scale=$(awk -v w="$layout_width" 'BEGIN { print w / 800 }')
    fi
    local strip cw ch
    strip=$(dirname "$digit_strip")/$name@4x.png
    cw=$(awk -v n="$bw" -v s="$scale" 'BEGIN { printf "%d", int(n * s + 0.5) }')
    ch=$(awk -v n="$bh" -v s="$scale" 'BEGIN { printf "%d", int(n * s + 0.5) }')
    import -window root "$shot" 2>/dev/null || fail "no screenshot"
    for digit in "$@"; do
        x=$((origin_x + $(scaled 620) - (count - i) * cw))
        convert "$shot" -crop "${cw}x${ch}+$x+$((origin_y + $(scaled 44)))" +repage "$work/cell.png"
        convert "$strip" -crop "$((4 * bw))x$((4 * bh))+$((digit * 4 * bw))+0" +repage -resize "${cw}x${ch}!" \
            "$work/want.png"
        error=$(compare -metric RMSE "$work/cell.png" "$work/want.png" null: 2>&1 | sed -n 's/.*(\([0-9.e-]*\)).*/\1/p' || true)
        [ -n "$error" ] && awk -v e="$error" 'BEGIN { exit !(e < 0.06) }' || return 1
        i=$((i + 1))
    done
}

# ---------------------------------------------------------------- 1
step "1: out of credits, 1000 borrowed; Borrow \$100 twice, then OK"
printf '[CurrentGame]\r\nGameName=CurrentGame\r\nCredits=0\r\nBorrowed=1000\r\nSpins=4\r\nTotalBets=20\r\n' >"$saved_games"
"$game_dir/plumfizz" >>"$work/game.log" 2>&1 &
game_pid=$!
find_window "$title"
window=$found_window
focus "$window"
sleep 1.5
find_payline
credits_cells_are 0 || fail "the table's Credits counter does not read 0 at the start"

xdotool key alt+b
find_window "$borrow_title"
borrow=$found_window
focus "$borrow"
window_origin "$borrow"
[ "$ww" = 582 ] && [ "$wh" = 300 ] || fail "the borrow window's client area is ${ww}x$wh, not 582x300"
keep_shot borrow
click_at $((wx + 201 + 40)) $((wy + 104 + 28))
click_at $((wx + 201 + 40)) $((wy + 104 + 28))
focus "$borrow"
xdotool key alt+o
wait_gone "$borrow" "$borrow_title"
sleep 0.5
credits_cells_are 2 0 0 || fail "the table's Credits counter does not read 200 after borrowing \$200"
echo "the table shows Credits 200"

# ---------------------------------------------------------------- 2
step "2: Pay Back \$1,000 with 200 credits is refused"
focus "$window"
xdotool key alt+b
find_window "$borrow_title"
borrow=$found_window
focus "$borrow"
window_origin "$borrow"
click_at $((wx + 355 + 12)) $((wy + 192 + 10))
click_at $((wx + 89 + 40)) $((wy + 104 + 28))
find_window "Information"
box=$found_window
focus "$box"
keep_shot refusal
text=$(box_text "$box")
grep -qxF "You do not have 1000.00 credits!" <<<"$text" || fail "the information box says: $text"
xdotool key Return
wait_gone "$box" "Information"
focus "$borrow"
xdotool key Escape
sleep 0.3
xdotool search --onlyvisible --name "^$borrow_title\$" >/dev/null || fail "Escape closed the borrow window"
xdotool key alt+o
wait_gone "$borrow" "$borrow_title"
credits_cells_are 2 0 0 || fail "the refused pay-back changed the Credits counter"

# ---------------------------------------------------------------- 3
step "3: Stats and Payoffs from the menu bar"
focus "$window"
xdotool key alt+s
find_window "Your Game Statistics"
stats=$found_window
focus "$stats"
keep_shot stats
xdotool key Return
wait_gone "$stats" "Your Game Statistics"
focus "$window"
xdotool key alt+p
find_window "Payoff Chart"
chart=$found_window
window_origin "$chart"
[ "$ww" = 600 ] && [ "$wh" = 540 ] || fail "the payoff chart window is ${ww}x$wh, not the chart's 600x540"
focus "$chart"
keep_shot payoffs
xdotool key Escape
wait_gone "$chart" "Payoff Chart"

# ---------------------------------------------------------------- 4
step "4: the close box saves the balance"
"$close_box" "$window" || fail "could not send the close box's message"
wait_for_exit 15
[ "$exit_status" -eq 0 ] || fail "the game exited with status $exit_status"
expect_saved Credits 200
expect_saved Borrowed 1200
expect_saved Spins 4
expect_saved TotalBets 20

# ---------------------------------------------------------------- 5
step "5: SIGTERM with the borrow window open saves what was borrowed"
"$game_dir/plumfizz" >>"$work/game.log" 2>&1 &
game_pid=$!
find_window "$title"
window=$found_window
focus "$window"
sleep 1.5
xdotool key alt+b
find_window "$borrow_title"
borrow=$found_window
window_origin "$borrow"
click_at $((wx + 425 + 40)) $((wy + 104 + 28))
kill -TERM "$game_pid"
wait_for_exit 15
[ "$exit_status" -eq 0 ] || fail "the game exited with status $exit_status after SIGTERM"
expect_saved Credits 201
expect_saved Borrowed 1201

# ---------------------------------------------------------------- 6
step "6: three spins; the history holds them after the two borrowings"
export PLUMFIZZ_TEST_STOPS=3,9,13  # blank paylines, no nudges: each spin loses its coin
start_game
for _ in 1 2 3; do
    xdotool key b
    sleep 0.3
    xdotool key space
    sleep 2.5
done
"$close_box" "$window" || fail "could not send the close box's message"
wait_for_exit 15
unset PLUMFIZZ_TEST_STOPS
expect_saved Credits 198
read_history
[ "$(history_rows borrow | awk -F, '{ print $(NF-5) "/" $(NF-4) "/" $(NF-3) }' | tr '\n' ' ')" = "200/0/200 1/200/201 " ] ||
    fail "the history's borrowings are wrong: $(cat "$work/history.csv")"
[ "$(history_rows spin | awk -F, '$5 == 3 && $6 == 9 && $7 == 13 && $4 == 1 && $(NF-13) == 0' | wc -l)" -eq 3 ] ||
    fail "the history does not hold the three spins: $(cat "$work/history.csv")"
[ "$(tail -n 1 "$work/history.csv" | awk -F, '{ print $(NF-3) }')" = 198 ] || fail "the history ends elsewhere than 198 credits"

# ---------------------------------------------------------------- 7
step "7: the second spin recalled from the history window; nothing is played; Escape returns"
rows_before=$(wc -l <"$work/history.csv")
start_game
xdotool key ctrl+h
find_window "Game History"
history_window=$found_window
focus "$history_window"
xdotool key Down  # newest first, the newest row current: one row down is the second spin
sleep 0.3
xdotool key alt+r
wait_gone "$history_window" "Game History"
focus "$window"
sleep 0.5
keep_shot recall
xdotool key b space
sleep 1.5
kill -0 "$game_pid" 2>/dev/null || fail "the game ended in recall"
xdotool key Escape
sleep 0.5
xdotool key b
sleep 0.5
"$close_box" "$window" || fail "could not send the close box's message"
wait_for_exit 15
# In recall B and Space did nothing; back in play B put a coin on the table,
# which the saved game holds in its Credits.
expect_saved Credits 198
expect_saved Spins 7
read_history
[ "$(wc -l <"$work/history.csv")" -eq "$rows_before" ] || fail "the recall added to the history: $(cat "$work/history.csv")"

# ---------------------------------------------------------------- 8
step "8: a click on \$100, then Enter: OK closes the window and \$100 is borrowed once"
expect_saved Borrowed 1201
start_game
xdotool key alt+b
find_window "$borrow_title"
borrow=$found_window
focus "$borrow"
window_origin "$borrow"
click_at $((wx + 201 + 40)) $((wy + 104 + 28))
xdotool key Return
wait_gone "$borrow" "$borrow_title"
for _ in $(seq 50); do
    [ "$(game Borrowed)" = 1301 ] && break
    sleep 0.1
done
expect_saved Borrowed 1301
expect_saved Credits 298
"$close_box" "$window" || fail "could not send the close box's message"
wait_for_exit 15
expect_saved Borrowed 1301

echo "PASS: borrowing, a refused pay-back, the side dialogs, the history and its recall on the real window"
