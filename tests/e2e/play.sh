#!/usr/bin/env bash
# Plays the test build of the game on a virtual X server, as a player would,
# and checks what it shows and what it leaves in the profile directory:
#   1. a fresh start: title, red payline, three coins bet with B, a spin with
#      Space, then File > Exit with the keyboard; the saved game and the
#      update-reminder file;
#   2. a second start resumes that game; closed with the close box;
#   3. a forced top award (three plums, 5 coins), closed with the close box
#      while the win is being counted: the whole win is saved;
#   4. the same, ended with SIGTERM during the count-up;
#   5. SIGHUP while idle saves the game too.
#
#   play.sh <plumfizz-e2e> <plumfizz-e2e-close-box>
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# True when the Winnings field, (320, 44)-(450, 70) scaled, shows a figure.
# Placing a coin and every repaint leave the field black; only the count-up
# of a win draws digits into it.
winnings_shown() {
    local shot="$work/winnings.png"
    import -window root "$shot" 2>/dev/null || return 1
    local left top
    left=$(scaled 322)
    top=$(scaled 46)
    convert "$shot" -crop "$(($(scaled 450) - left))x$(($(scaled 68) - top))+$((origin_x + left))+$((origin_y + top))" \
        +repage -depth 8 txt:- 2>/dev/null | awk '
        /^#/ { next }
        {
            if (match($2, /^\([0-9]+,[0-9]+,[0-9]+/)) {
                split(substr($2, 2, RLENGTH - 1), c, ",")
                if (c[1] > 60 || c[2] > 60 || c[3] > 60) lit++
            }
        }
        END { exit lit >= 10 ? 0 : 1 }'
}

wait_for_count_up() {
    for _ in $(seq 120); do
        kill -0 "$game_pid" 2>/dev/null || fail "the game ended during the spin"
        if winnings_shown; then
            return 0
        fi
        sleep 0.25
    done
    fail "the win's count-up did not begin within a minute"
}

is_win_factor() {
    case "$1" in 0 | 2 | 5 | 10 | 20 | 50 | 250 | 1500) return 0 ;; esac
    return 1
}

today=$(date +%m/%d/%y)
reminder_day=$(date -d "+90 days" +%m/%d/%Y)

# ---------------------------------------------------------------- 1
step "1: a fresh game, three coins with B, one spin, File > Exit"
start_game
find_payline
[ ! -e "$saved_games" ] || [ -z "$(game Spins)" ] || fail "a saved game exists before the first spin"
xdotool key b
sleep 0.3
xdotool key b
sleep 0.3
xdotool key b
sleep 0.3
xdotool key space
# The game is saved after each completed spin; that is also the sign that the
# spin, its count-up included, is over.
for _ in $(seq 600); do
    [ "$(game Spins)" = 1 ] && break
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended during the spin"
    sleep 0.1
done
[ "$(game Spins)" = 1 ] || fail "no saved game with one spin a minute after Space: not saved after the spin"
sleep 0.5
xdotool key alt+f
sleep 0.5
xdotool key x
wait_for_exit 30
[ "$exit_status" -eq 0 ] || fail "the game exited with status $exit_status"

expect_key "$saved_games" CurrentGame GameName CurrentGame
expect_key "$saved_games" CurrentGame GameDate "$today" "$(date +%m/%d/%y)"
expect_key "$saved_games" CurrentGame Spins 1
expect_key "$saved_games" CurrentGame TotalBets 3
expect_key "$saved_games" CurrentGame Borrowed 1000
expect_key "$saved_games" CurrentGame BonusWon 0
credits1=$(game Credits)
[[ "$credits1" =~ ^[0-9]+$ ]] || fail "Credits is '$credits1'"
won=$((credits1 - 997))
{ [ "$won" -ge 0 ] && [ $((won % 3)) -eq 0 ] && is_win_factor $((won / 3)); } ||
    fail "Credits $credits1 is not 1000 - 3 + 3 x a pay-table factor"
bonus_points=$(game BonusPts)
[[ "$bonus_points" =~ ^[0-9]+$ ]] && [ "$bonus_points" -le 12 ] || fail "BonusPts is '$bonus_points'"
expect_key "$reminder_file" "$title" Ver 2.0
expect_key "$reminder_file" "$title" Update "$reminder_day" "$(date -d "+90 days" +%m/%d/%Y)"
echo "saved: Credits $credits1 (won $won on 3 coins), Spins 1, TotalBets 3; reminder $(ini_get "$reminder_file" "$title" Update)"

# ---------------------------------------------------------------- 2
step "2: the game resumes; closed with the close box"
start_game
find_payline
"$close_box" "$window" || fail "could not send the close box's message"
wait_for_exit 30
[ "$exit_status" -eq 0 ] || fail "the game exited with status $exit_status"
expect_key "$saved_games" CurrentGame Credits "$credits1"
expect_key "$saved_games" CurrentGame Spins 1
expect_key "$saved_games" CurrentGame TotalBets 3
expect_key "$saved_games" CurrentGame BonusPts "$bonus_points"
expect_key "$saved_games" CurrentGame GameName CurrentGame
expect_key "$reminder_file" "$title" Update "$reminder_day" "$(date -d "+90 days" +%m/%d/%Y)"

# ---------------------------------------------------------------- 3
step "3: three plums on five coins (M), closed with the close box during the count-up"
export PLUMFIZZ_TEST_STOPS=22,14,28
start_game
find_payline
xdotool key m
wait_for_count_up
# 7500 credits take about half a minute to count; close a second into it.
sleep 1
kill -0 "$game_pid" 2>/dev/null || fail "the game ended before it was closed"
"$close_box" "$window" || fail "could not send the close box's message"
# Closing completes the spin at once; it must not wait out the count-up.
wait_for_exit 15
[ "$exit_status" -eq 0 ] || fail "the game exited with status $exit_status"
credits3=$((credits1 - 5 + 7500))
expect_key "$saved_games" CurrentGame Credits "$credits3"
expect_key "$saved_games" CurrentGame Spins 2
expect_key "$saved_games" CurrentGame TotalBets 8
expect_key "$saved_games" CurrentGame BonusPts "$bonus_points"
echo "saved: Credits $credits3 after closing during the count-up"

# ---------------------------------------------------------------- 4
step "4: the same win, ended by SIGTERM during the count-up"
start_game
find_payline
xdotool key m
wait_for_count_up
sleep 1
kill -0 "$game_pid" 2>/dev/null || fail "the game ended before SIGTERM"
kill -TERM "$game_pid"
wait_for_exit 15
[ "$exit_status" -eq 0 ] || fail "the game exited with status $exit_status after SIGTERM (143: not caught)"
credits4=$((credits3 - 5 + 7500))
expect_key "$saved_games" CurrentGame Credits "$credits4"
expect_key "$saved_games" CurrentGame Spins 3
expect_key "$saved_games" CurrentGame TotalBets 13
echo "saved: Credits $credits4 after SIGTERM during the count-up"

# ---------------------------------------------------------------- 5
step "5: SIGHUP while idle saves the game"
unset PLUMFIZZ_TEST_STOPS
before=$(stat -c "%i %y" "$saved_games")
start_game
kill -HUP "$game_pid"
wait_for_exit 15
[ "$exit_status" -eq 0 ] || fail "the game exited with status $exit_status after SIGHUP (129: not caught)"
[ "$(stat -c "%i %y" "$saved_games")" != "$before" ] || fail "the saved game was not written again after SIGHUP"
expect_key "$saved_games" CurrentGame Credits "$credits4"
expect_key "$saved_games" CurrentGame Spins 3

echo "PASS: end-to-end play, resume, close during a win and termination signals"
