#!/usr/bin/env bash
# A power loss in the middle of a spin, played as SIGKILL on the test build:
#   1. a top award (three plums on five coins) killed during its count-up:
#      the saved game already holds the whole win;
#   2. the next start has it once, and the close box saves it unchanged;
#   3. a spin that fills the bonus meter, killed with the bonus window open:
#      the saved meter stays full, a bonus game owed;
#   4. the next start offers that bonus game at once, before any bet, pays
#      its prize once and saves the meter empty;
#   5. the start after that offers none; Ctrl+C (SIGINT) closes and saves.
# The game's history (plumfizz --history) holds each spin and the bonus game
# once, killed or not, with credits that chain from row to row.
#
#   power_loss.sh <plumfizz-e2e> <plumfizz-e2e-close-box>
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# The game's visible windows: the table, and the bonus window when it is open.
visible_windows() {
    xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null | wc -l
}

wait_for_bonus_window() {
    for _ in $(seq 300); do
        kill -0 "$game_pid" 2>/dev/null || fail "the game ended before the bonus window opened"
        [ "$(visible_windows)" -ge 2 ] && return 0
        sleep 0.1
    done
    fail "no bonus window within 30 s"
}

kill_game() {
    kill -KILL "$game_pid"
    wait "$game_pid" 2>/dev/null || true
    game_pid=""
}

no_temporary_files() {
    local left
    left=$(find "$XDG_CONFIG_HOME/tallyho" -name '.*.tmp-*' | wc -l)
    [ "$left" -eq 0 ] || fail "$left temporary files left in the profile directory"
}

# ---------------------------------------------------------------- 1
step "1: three plums on five coins, SIGKILL in the middle of the count-up"
export PLUMFIZZ_TEST_STOPS=22,14,28
start_game
find_payline
xdotool key m
wait_for_count_up
# 7500 credits take about half a minute to count; kill a few seconds into it.
sleep 3
winnings_shown || fail "the count-up was over before the kill"
kill_game
credits=$((1000 - 5 + 7500))
expect_key "$saved_games" CurrentGame Credits "$credits"
expect_key "$saved_games" CurrentGame Spins 1
expect_key "$saved_games" CurrentGame TotalBets 5
echo "saved before the count-up ended: Credits $credits"
# The history holds the spin too, with its forced stops and its whole win.
read_history
[ "$(history_rows spin | wc -l)" -eq 1 ] || fail "the history holds no spin after the kill: $(cat "$work/history.csv")"
history_rows spin | awk -F, '$5 == 22 && $6 == 14 && $7 == 28 && $(NF-13) == 7500 && $(NF-3) == '"$credits"' { ok = 1 }
                             END { exit ok ? 0 : 1 }' || fail "the spin's history row is wrong: $(history_rows spin)"

# ---------------------------------------------------------------- 2
step "2: the next start has the win once; the close box saves it unchanged"
unset PLUMFIZZ_TEST_STOPS
start_game
find_payline
"$close_box" "$window" || fail "could not send the close box's message"
wait_for_exit 30
[ "$exit_status" -eq 0 ] || fail "the game exited with status $exit_status"
expect_key "$saved_games" CurrentGame Credits "$credits"
expect_key "$saved_games" CurrentGame Spins 1
no_temporary_files

# ---------------------------------------------------------------- 3
step "3: a Bonus symbol fills the meter; SIGKILL with the bonus window open"
sed -i 's/^BonusPts=.*/BonusPts=11/' "$saved_games"
expect_key "$saved_games" CurrentGame BonusPts 11
# Reels 2 and 3 show two points of Bonus symbols and nothing that pays.
export PLUMFIZZ_TEST_STOPS=1,2,2
start_game
find_payline
xdotool key b
sleep 0.3
xdotool key space
wait_for_bonus_window
sleep 1
kill_game
credits=$((credits - 1))
expect_key "$saved_games" CurrentGame BonusPts 12
expect_key "$saved_games" CurrentGame Spins 2
expect_key "$saved_games" CurrentGame TotalBets 6
expect_key "$saved_games" CurrentGame Credits "$credits"
expect_key "$saved_games" CurrentGame BonusWon 0

# ---------------------------------------------------------------- 4
step "4: the next start offers the bonus game owed before any bet"
unset PLUMFIZZ_TEST_STOPS
start_game
wait_for_bonus_window
bonus=$(xdotool search --onlyvisible --pid "$game_pid" | grep -vx "$window" | head -n 1)
xdotool windowfocus "$bonus" 2>/dev/null || true
sleep 0.3
xdotool key Return
# The outcome shows for three seconds; then the meter is saved empty.
for _ in $(seq 200); do
    [ "$(game BonusPts)" = 0 ] && break
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended during the bonus game"
    sleep 0.1
done
expect_key "$saved_games" CurrentGame BonusPts 0
prize=$(game BonusWon)
case "$prize" in 0 | 10 | 25 | 50 | 100 | 250) ;; *) fail "BonusWon is '$prize', no box holds that" ;; esac
credits=$((credits + prize))
expect_key "$saved_games" CurrentGame Credits "$credits"
expect_key "$saved_games" CurrentGame Spins 2
sleep 3  # the prize's count-up
"$close_box" "$window" || fail "could not send the close box's message"
wait_for_exit 30
[ "$exit_status" -eq 0 ] || fail "the game exited with status $exit_status"
expect_key "$saved_games" CurrentGame Credits "$credits"
expect_key "$saved_games" CurrentGame BonusWon "$prize"
echo "the bonus game owed paid $prize once: Credits $credits"
# Two spins and the bonus game owed, played once, in a chain of credits.
read_history
[ "$(history_rows spin | wc -l)" -eq 2 ] || fail "the history does not hold two spins: $(cat "$work/history.csv")"
[ "$(history_rows bonus | wc -l)" -eq 1 ] || fail "the history does not hold one bonus game: $(cat "$work/history.csv")"
history_rows bonus | awk -F, '$(NF-6) == '"$prize"' && $(NF-3) == '"$credits"' { ok = 1 } END { exit ok ? 0 : 1 }' ||
    fail "the bonus game's history row is wrong: $(history_rows bonus)"

# ---------------------------------------------------------------- 5
step "5: no second bonus game at the next start; SIGINT closes and saves"
start_game
sleep 1
[ "$(visible_windows)" -eq 1 ] || fail "a bonus window opened again"
kill -INT "$game_pid"
wait_for_exit 15
[ "$exit_status" -eq 0 ] || fail "the game exited with status $exit_status after SIGINT (130: not caught)"
expect_key "$saved_games" CurrentGame Credits "$credits"
expect_key "$saved_games" CurrentGame BonusPts 0
expect_key "$saved_games" CurrentGame BonusWon "$prize"

echo "PASS: a spin's outcome survives SIGKILL; a bonus game owed is played once"
