#!/usr/bin/env bash
# The game history keeps every spin while another program holds it locked
# (sqlite3's BEGIN EXCLUSIVE), across a kill:
#   1. the lock taken while the game runs; two losing spins: one box, after
#      the first spin (the lead's table may show it otherwise); both
#      wait beside the saved games, and `plumfizz --history` says so;
#   2. SIGKILL with them waiting; the lock ends;
#   3. the next start writes them in and tells it in one box; one more spin,
#      and the close box;
#   4. the history holds the three spins the saved game counts, once each, in
#      order, with credits that chain from row to row.
#
#   history_waits.sh <plumfizz-e2e> <plumfizz-e2e-close-box>
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

history_file="$XDG_DATA_HOME/tallyho/plumfizz-history.sqlite"
waiting_file="$XDG_CONFIG_HOME/tallyho/plumfizz-history.waiting"
lock_pid=""
trap '[ -z "$lock_pid" ] || kill "$lock_pid" 2>/dev/null || true; cleanup' EXIT

# The game's message box: its visible window other than the table.
message_box() {
    xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null | grep -vx "$window" | head -n 1 || true
}

boxes_shown() {
    xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null | grep -cvx "$window" || true
}

# Waits for the game's message box and closes it with Return.
dismiss_box() {
    local box=""
    for _ in $(seq 150); do
        box=$(message_box)
        [ -n "$box" ] && break
        sleep 0.1
    done
    [ -n "$box" ] || fail "no message box appeared"
    focus "$box"
    xdotool key Return
    wait_gone "$box" "$title"
    focus "$window"
}

# A start whose box comes before the table: closed with Return, then the table as start_game finds it.
start_game_after_box() {
    "$game_dir/plumfizz" >>"$work/game.log" 2>&1 &
    game_pid=$!
    local box
    box=$(timeout 60 xdotool search --sync --onlyvisible --pid "$game_pid" 2>/dev/null | head -n 1) ||
        fail "no box at the start"
    focus "$box"
    xdotool key Return
    wait_gone "$box" "$title"
    window=$(timeout 60 xdotool search --sync --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1) ||
        fail "no table after the box"
    focus "$window"
    sleep 1.5
}

# One coin, one spin; returns once the spin is saved and its reels have stopped.
spin() {
    local spins
    spins=$(game Spins)
    xdotool key b
    sleep 0.3
    xdotool key space
    for _ in $(seq 100); do
        [ "$(game Spins)" = $((spins + 1)) ] && break
        sleep 0.1
    done
    expect_key "$saved_games" CurrentGame Spins $((spins + 1))
    sleep 2.5
}

# ---------------------------------------------------------------- 1
step "1: two spins while another program holds the history locked"
export PLUMFIZZ_TEST_STOPS=3,9,13  # blank paylines, no nudges: each spin loses its coin
start_game
[ -f "$history_file" ] || fail "no history was made"
python3 -c '
import sqlite3, sys, time
db = sqlite3.connect(sys.argv[1], isolation_level=None)
db.execute("BEGIN EXCLUSIVE")
open(sys.argv[2], "w").close()
time.sleep(600)
' "$history_file" "$work/locked" &
lock_pid=$!
for _ in $(seq 50); do [ -f "$work/locked" ] && break; sleep 0.1; done
[ -f "$work/locked" ] || fail "the history could not be locked"
spin
dismiss_box
spin
[ "$(boxes_shown)" -eq 0 ] || fail "a second box told the history stopped"
[ -s "$waiting_file" ] || fail "nothing waits in $waiting_file"
"$game_dir/plumfizz" --history >/dev/null 2>"$work/history.err" || true
grep -q "2 spins still wait to be written" "$work/history.err" ||
    fail "plumfizz --history does not tell the two spins waiting: $(cat "$work/history.err")"

# ---------------------------------------------------------------- 2
step "2: SIGKILL with two spins waiting; the lock ends"
kill -KILL "$game_pid"
wait "$game_pid" 2>/dev/null || true
game_pid=""
kill "$lock_pid"
wait "$lock_pid" 2>/dev/null || true
lock_pid=""
expect_key "$saved_games" CurrentGame Spins 2

# ---------------------------------------------------------------- 3
step "3: the next start writes them in and tells it; one more spin; the close box"
start_game_after_box
[ ! -e "$waiting_file" ] || fail "$waiting_file is still there once written"
read_history
[ "$(history_rows spin | wc -l)" -eq 2 ] || fail "the two spins waiting are not in the history: $(cat "$work/history.csv")"
spin
[ "$(boxes_shown)" -eq 0 ] || fail "a box came after the spin"
"$close_box" "$window" || fail "could not send the close box's message"
wait_for_exit 15
[ "$exit_status" -eq 0 ] || fail "the game exited with status $exit_status"
expect_key "$saved_games" CurrentGame Spins 3
expect_key "$saved_games" CurrentGame Credits 997

# ---------------------------------------------------------------- 4
step "4: the history holds the three spins once, in order, in a chain of credits"
read_history
[ "$(history_rows spin | awk -F, '{ print $NF }' | tr '\n' ' ')" = "1 2 3 " ] ||
    fail "the history's spins are not 1 2 3: $(cat "$work/history.csv")"
[ "$(tail -n 1 "$work/history.csv" | awk -F, '{ print $(NF-3) }')" = 997 ] || fail "the history ends elsewhere than 997 credits"

echo "PASS: the spins played while the history was locked were kept, across a kill, once each"
