#!/usr/bin/env bash
# The game slots on the real window under a virtual X server, and the lock
# that keeps a second copy away from the saved games:
#   1. save the running game in the third panel under a name, play a spin,
#      open the third panel again: the table shows the saved figures, the
#      file holds [GameNo3] and [CurrentGame] as expected and no other line
#      of it changed; in Open mode a name typed into the sixth panel and
#      Enter leave the dialog open, F1 shows the manual at the dialog's topic
#      (41008), and Escape leaves the running game and the slots' names as
#      they were;
#   2. Cancel, Escape and the close box in both modes leave every figure and
#      the coins on the table as they were, also when the profile directory
#      cannot be written (told once, at close, in one box);
#   3. a second copy started while one runs ends with a message and changes
#      no file; Ctrl+C (SIGINT) then closes the first and saves.
#
#   slots.sh <plumfizz-e2e> <plumfizz-e2e-close-box>
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"


# --- Helpers of the slot dialog.

# The id of a visible window with exactly this title; fails after 20 s.
wait_window() { # TITLE
    local id
    local pattern
    pattern=$(sed 's/[][\.*^$?+(){}|]/\\&/g' <<<"$1")
    id=$(timeout 20 xdotool search --sync --onlyvisible --name "^$pattern\$" 2>/dev/null | tail -n 1) || return 1
    [ -n "$id" ] || return 1
    echo "$id"
}

# Windows titled like the game (the table, and a message box captioned alike).
count_titled() {
    xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | wc -l
}

# Keys go to the focused window; without a window manager nobody moves the
# focus to a new dialog or back to the table, so the test does.
focus() { # WINDOW
    xdotool windowfocus "$1" 2>/dev/null || true
    for _ in $(seq 20); do
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && break
        sleep 0.1
    done
    sleep 0.2
}

refocus_table() {
    focus "$window"
}

# OK on the message box captioned like the game (the window that is not the table).
dismiss_box() {
    local box
    box=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | grep -vx "$window" | head -n 1)
    [ -n "$box" ] || fail "no message box to dismiss"
    focus "$box"
    xdotool key Return
    sleep 0.5
}

# click_in WINDOW X Y: a left click at a point of the window's client area.
click_in() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 0.5
}

# The running game and the slots' names as the file holds them.
slot_keys() {
    local key n
    for key in Credits Borrowed Spins; do echo "CurrentGame $key=$(game "$key")"; done
    for n in 1 2 3 4 5 6 7 8; do echo "GameNo$n GameName=$(ini_get "$saved_games" "GameNo$n" GameName)"; done
}

# The slot button of panel n, 1..8, in the dialog's client area.
panel_button() { # N -> "x y"
    local n=$1 column=$(( ($1 - 1) / 4 )) row=$(( ($1 - 1) % 4 ))
    echo "$(( (column == 0 ? 16 : 312) + 232 + 24 )) $(( 16 + row * 72 + 16 + 18 ))"
}

# The Coins and Credits counters (Scaled(200)..Scaled(300) and
# Scaled(540)..Scaled(660) at y Scaled(40)..Scaled(71)).
counters_shot() { # FILE
    local shot="$work/screen.png" top
    top=$((origin_y + $(scaled 40)))
    import -window root "$shot" 2>/dev/null || fail "no screenshot"
    convert "$shot" \( +clone -crop "$(scaled 100)x$(scaled 31)+$((origin_x + $(scaled 200)))+$top" +repage \) \
        \( -clone 0 -crop "$(scaled 120)x$(scaled 31)+$((origin_x + $(scaled 540)))+$top" +repage \) \
        -delete 0 +append "$1"
}

same_picture() { # A B
    [ "$(compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1)" = 0 ]
}

# The file without the named sections (names matched exactly) and without
# blank lines (the store puts one before a section it adds).
without_sections() { # FILE SECTION...
    local file=$1
    shift
    awk -v drop="$*" '
        BEGIN { n = split(drop, names, " "); for (i = 1; i <= n; i++) skip["[" names[i] "]"] = 1 }
        /^\[/ { inside = ($0 in skip) }
        !inside && NF' "$file"
}

wait_for_spins() { # N
    local saved=0
    for _ in $(seq 300); do
        [ "$(game Spins)" = "$1" ] && saved=1 && break
        kill -0 "$game_pid" 2>/dev/null || fail "the game ended during the spin"
        sleep 0.1
    done
    [ "$saved" = 1 ] || fail "no saved game with $1 spins half a minute after the spin"
    # The spin is saved as soon as its stops are drawn, before the reels turn:
    # it is over once the frame log has been still for a second.
    local lines=-1 now
    for _ in $(seq 60); do
        now=$(wc -l <"$PLUMFIZZ_FRAME_LOG")
        [ "$now" = "$lines" ] && return 0
        lines=$now
        sleep 1
    done
    fail "the reels were still turning a minute after the spin was saved"
}

today=$(date +%m/%d/%y)
profile="$XDG_CONFIG_HOME/tallyho"
# One line per animation frame: a spin seen without the saved game.
export PLUMFIZZ_FRAME_LOG="$work/frames.log"
: >"$PLUMFIZZ_FRAME_LOG"
# Three blanks on the payline, no nudge, no bonus point: a spin that loses its bet.
export PLUMFIZZ_TEST_STOPS=3,15,13

# ---------------------------------------------------------------- 1
step "1: save in the third panel, play a spin, open the third panel"
mkdir -p "$profile"
cat >"$saved_games" <<'INI'
; the player's own notes stay
[GameNo1]
GameName=Monday
GameDate=11/30/26
Credits=400
Borrowed=3000
Spins=90
TotalBets=300
BonusWon=25
BonusPts=1
[Other]
Colour=plum
[CurrentGame]
GameName=CurrentGame
GameDate=12/01/26
Credits=1200
Borrowed=1500
Spins=5
TotalBets=20
BonusWon=50
BonusPts=2
INI
cp "$saved_games" "$work/original.ini"
start_game
find_payline
counters_shot "$work/saved-counters.png"

xdotool key ctrl+s
dialog=$(wait_window "Save a Game -- Select Game Slot") || fail "no window named 'Save a Game -- Select Game Slot' appeared"
sleep 0.5
import -window root "$work/slot-dialog.png" 2>/dev/null || true
read -r bx by <<<"$(panel_button 3)"
click_in "$dialog" "$bx" "$by"
question=$(wait_window "Name for this saved game?") || fail "no window named 'Name for this saved game?' appeared"
focus "$question"
xdotool key ctrl+a
xdotool type --delay 30 "Evening plums"
xdotool key Return
for _ in $(seq 50); do
    [ "$(ini_get "$saved_games" GameNo3 GameName)" = "Evening plums" ] && break
    sleep 0.1
done
expect_key "$saved_games" GameNo3 GameName "Evening plums"
expect_key "$saved_games" GameNo3 GameDate "$today"
expect_key "$saved_games" GameNo3 Credits 1200
expect_key "$saved_games" GameNo3 Borrowed 1500
expect_key "$saved_games" GameNo3 Spins 5
expect_key "$saved_games" GameNo3 TotalBets 20
expect_key "$saved_games" GameNo3 BonusWon 50
expect_key "$saved_games" GameNo3 BonusPts 2
diff <(without_sections "$saved_games" GameNo3) "$work/original.ini" >/dev/null ||
    fail "saving in the third panel changed other lines: $(diff <(without_sections "$saved_games" GameNo3) "$work/original.ini")"
sleep 0.5
xdotool search --onlyvisible --name "Select Game Slot" >/dev/null 2>&1 && fail "the slot dialog stayed open after saving"

refocus_table
xdotool key b
sleep 0.3
xdotool key space
wait_for_spins 6
expect_key "$saved_games" CurrentGame Credits 1199
sleep 0.5
counters_shot "$work/played-counters.png"
same_picture "$work/saved-counters.png" "$work/played-counters.png" && fail "the counters did not change with the spin"

xdotool key ctrl+o
dialog=$(wait_window "Open a Game -- Select Game Slot") || fail "no window named 'Open a Game -- Select Game Slot' appeared"
sleep 0.5
click_in "$dialog" "$bx" "$by"
sleep 1
counters_shot "$work/opened-counters.png"
same_picture "$work/saved-counters.png" "$work/opened-counters.png" ||
    fail "the table does not show the saved figures after opening the third panel"
expect_key "$saved_games" CurrentGame GameName CurrentGame
expect_key "$saved_games" CurrentGame Credits 1200
expect_key "$saved_games" CurrentGame Spins 5
expect_key "$saved_games" CurrentGame TotalBets 20
expect_key "$saved_games" CurrentGame BonusWon 50
expect_key "$saved_games" CurrentGame BonusPts 2
expect_key "$saved_games" GameNo3 Credits 1200
expect_key "$saved_games" GameNo3 GameName "Evening plums"
diff <(without_sections "$saved_games" GameNo3 CurrentGame) <(without_sections "$work/original.ini" CurrentGame) >/dev/null ||
    fail "opening changed lines outside [GameNo3] and [CurrentGame]"

# Open mode uses no name: Enter in a name field opens nothing.
keys_before=$(slot_keys)
refocus_table
xdotool key ctrl+o
dialog=$(wait_window "Open a Game -- Select Game Slot") || fail "no window named 'Open a Game -- Select Game Slot' appeared"
focus "$dialog"
click_in "$dialog" $((312 + 8 + 116)) $((88 + 8 + 10))  # the sixth panel's name field
xdotool key ctrl+a
xdotool type --delay 30 "Renamed"
xdotool key Return
sleep 0.5
xdotool search --onlyvisible --name "^Open a Game -- Select Game Slot\$" 2>/dev/null | grep -qx "$dialog" ||
    fail "Enter in the sixth panel's name field closed the slot dialog"
xdotool key F1
find_window "Plumfizz Slots Manual - Saving and opening games"
help_window=$found_window
focus "$help_window"
xdotool key Escape
wait_gone "$help_window" "Plumfizz Slots Manual - Saving and opening games"
focus "$dialog"
xdotool key Escape
wait_gone "$dialog" "Open a Game -- Select Game Slot"
[ "$(slot_keys)" = "$keys_before" ] ||
    fail "a name typed in Open mode changed the file: $(diff <(echo "$keys_before") <(slot_keys))"
echo "in Open mode Enter in a name field opened nothing; F1 showed the manual at the dialog's topic"
refocus_table
xdotool key alt+f
sleep 0.5
xdotool key x
wait_for_exit 30
[ "$exit_status" -eq 0 ] || fail "the game exited with status $exit_status"
expect_key "$saved_games" CurrentGame Credits 1200
expect_key "$saved_games" CurrentGame Spins 5
echo "saved, played and opened the third panel: Credits 1200, Spins 5"

# ---------------------------------------------------------------- 2
# cancel_all: Escape in Save mode, Cancel in Open mode, the close box in Save
# mode; the counters and the coins on the table stay as they were.
cancel_all() {
    counters_shot "$work/before-cancel.png"
    xdotool key ctrl+s
    dialog=$(wait_window "Save a Game -- Select Game Slot") || fail "no window named 'Save a Game -- Select Game Slot' appeared"
    focus "$dialog"
    xdotool key Escape
    sleep 0.5
    xdotool search --onlyvisible --name "Select Game Slot" >/dev/null 2>&1 && fail "Escape left the slot dialog open"
    refocus_table
    xdotool key ctrl+o
    dialog=$(wait_window "Open a Game -- Select Game Slot") || fail "no window named 'Open a Game -- Select Game Slot' appeared"
    sleep 0.5
    click_in "$dialog" $((508 + 48)) $((316 + 18))
    refocus_table
    xdotool key ctrl+s
    dialog=$(wait_window "Save a Game -- Select Game Slot") || fail "no window named 'Save a Game -- Select Game Slot' appeared"
    sleep 0.5
    "$close_box" "$dialog" || fail "could not send the close box's message to the dialog"
    sleep 0.5
    xdotool search --onlyvisible --name "Select Game Slot" >/dev/null 2>&1 && fail "a slot dialog stayed open"
    refocus_table
    counters_shot "$work/after-cancel.png"
    same_picture "$work/before-cancel.png" "$work/after-cancel.png" || fail "cancelling the slot dialog changed the table"
}

step "2a: Cancel, Escape and the close box with two coins on the table"
start_game
find_payline
xdotool key b
sleep 0.3
xdotool key b
sleep 0.5
cancel_all
xdotool key space
wait_for_spins 6
# 1200 - 2 coins played; the coins were never refunded or lost by the dialog.
expect_key "$saved_games" CurrentGame Credits 1198
expect_key "$saved_games" CurrentGame TotalBets 22
"$close_box" "$window"
wait_for_exit 30
expect_key "$saved_games" CurrentGame Credits 1198

step "2b: the same with a profile directory that cannot be written"
mv "$profile" "$work/profile-kept"
: >"$profile"   # a file where the directory should be
start_game
find_payline
xdotool key b
sleep 0.3
xdotool key space
# The failed save after the spin is told once.
for _ in $(seq 300); do
    [ "$(count_titled)" -ge 2 ] && break
    sleep 0.1
done
[ "$(count_titled)" -ge 2 ] || fail "no message that the games cannot be saved"
dismiss_box
[ "$(count_titled)" = 1 ] || fail "the message box did not go"
refocus_table
xdotool key b
sleep 0.3
xdotool key b
sleep 0.5
cancel_all
frames_before=$(wc -l <"$PLUMFIZZ_FRAME_LOG")
xdotool key space
# The file cannot tell that the spin ran; the frame log can.
for _ in $(seq 100); do
    sleep 0.2
    [ "$(wc -l <"$PLUMFIZZ_FRAME_LOG")" -gt "$frames_before" ] && break
done
[ "$(wc -l <"$PLUMFIZZ_FRAME_LOG")" -gt "$frames_before" ] || fail "the spin after the dialogs did not play"
sleep 3
[ "$(count_titled)" = 1 ] || fail "a second spin told the failed save again"
# Closing tells it once more, in one box, and stays; the next close ends.
"$close_box" "$window"
for _ in $(seq 100); do
    [ "$(count_titled)" -ge 2 ] && break
    sleep 0.1
done
[ "$(count_titled)" = 2 ] || fail "closing did not tell the failed save in one box"
dismiss_box
[ "$(count_titled)" = 1 ] || fail "a second box followed the first at close"
kill -0 "$game_pid" 2>/dev/null || fail "the game ended although its game could not be saved"
"$close_box" "$window"
wait_for_exit 30
[ -f "$profile" ] && [ ! -s "$profile" ] || fail "the blocked profile path was changed"
rm -f "$profile"
mv "$work/profile-kept" "$profile"

# ---------------------------------------------------------------- 3
step "3: a second copy ends with a message and changes no file; SIGINT closes the first"
unset PLUMFIZZ_TEST_STOPS
start_game
first_pid=$game_pid
first_window=$window
snapshot() { (cd "$profile" && find . -type f -printf '%p %s %T@ %i\n' | sort && md5sum ./*.ini); }
before=$(snapshot)
"$game_dir/plumfizz" >"$work/second.log" 2>&1 &
second_pid=$!
for _ in $(seq 100); do
    [ "$(count_titled)" -ge 2 ] && break
    sleep 0.1
done
[ "$(count_titled)" -ge 2 ] || fail "the second copy showed no message"
grep -qx "Plumfizz Slots is already running." "$work/second.log" ||
    fail "the second copy did not say it is already running: $(cat "$work/second.log")"
window=$first_window
dismiss_box
for _ in $(seq 100); do
    kill -0 "$second_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$second_pid" 2>/dev/null && fail "the second copy did not end"
second_status=0
wait "$second_pid" || second_status=$?
[ "$second_status" -ne 0 ] || fail "the second copy ended as if it had run"
[ "$(snapshot)" = "$before" ] || fail "the second copy changed the files: $(diff <(echo "$before") <(snapshot))"
kill -0 "$first_pid" 2>/dev/null || fail "the first copy ended"
kill -INT "$first_pid"
wait_for_exit 15
[ "$exit_status" -eq 0 ] || fail "the game exited with status $exit_status after SIGINT (130: not caught)"
expect_key "$saved_games" CurrentGame Credits 1198
[ ! -e "$saved_games.lock" ] || fail "the lock was left behind after the game ended"

echo "PASS: game slots saved, opened and cancelled; one copy at a time"
