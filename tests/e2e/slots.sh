#!/usr/bin/env bash
# The game slots on the real window under a virtual X server, and the lock
# that keeps a second copy away from the saved games:
#   1. save the running game in the third panel under a name, play a spin,
#      open the third panel again: the table shows the saved figures, the
#      file holds [GameNo3] and [CurrentGame] as expected and no other line
#      of it changed;
#   2. Cancel, Escape and the close box in both modes leave every figure and
#      the coins on the table as they were, also when the profile directory
#      cannot be written (told once, at close, in one box);
#   3. a second copy started while one runs ends with a message and changes
#      no file; Ctrl+C (SIGINT) then closes the first and saves.
#
#   slots.sh <plumfizz-e2e> <plumfizz-e2e-close-box>
set -euo pipefail

program=$(realpath "$1")
close_box=$(realpath "$2")

skip() {
    echo "SKIPPED: $*"
    exit 77
}
for tool in Xvfb xdotool import convert; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup.sh installs it)"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/plumfizz-e2e-slots.XXXXXX")
xvfb_pid=""
game_pid=""

cleanup() {
    if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then
        kill -KILL "$game_pid" 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    if [ "${keep_work:-0}" = 1 ]; then
        echo "Files of the failed run kept in $work"
    else
        rm -rf "$work"
    fi
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    if [ -s "$work/game.log" ]; then
        echo "--- the game's output ---" >&2
        tail -n 40 "$work/game.log" >&2
    fi
    for file in "$work/config/tallyho/"*.ini; do
        [ -f "$file" ] || continue
        echo "--- $file ---" >&2
        cat "$file" >&2
    done
    keep_work=1
    exit 1
}

step() {
    echo "== $*"
}

# --- The game as a player has it: its own directory, the program named
# plumfizz (so its files are plumfizz.ini and so on), the theme files beside it.
build_dir=$(dirname "$program")
game_dir="$work/game"
mkdir -p "$game_dir" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
cp "$program" "$game_dir/plumfizz"
theme_files=0
for file in "$build_dir"/*; do
    case "${file##*/}" in
        *.bmp | *.BMP | *.wav | *.WAV | *.mid | *.MID | *.hlp | *.jpg | *.gif | *.png | *.html)
            ln -s "$file" "$game_dir/"
            theme_files=$((theme_files + 1))
            ;;
    esac
done
[ -e "$game_dir/Plum.bmp" ] || fail "the theme's symbol sheet Plum.bmp is not beside $program"
echo "game directory $game_dir with $theme_files theme files"

# --- A private X server on the first free display of :90..:99.
display=""
for number in $(seq 90 99); do
    [ -e "/tmp/.X$number-lock" ] && continue
    [ -e "/tmp/.X11-unix/X$number" ] && continue
    Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        if DISPLAY=":$number" xdotool getdisplaygeometry >/dev/null 2>&1; then
            display=":$number"
            break
        fi
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    [ -n "$display" ] && break
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
done
[ -n "$display" ] || fail "no free X display in :90..:99 (Xvfb: $(tail -n 3 "$work/xvfb.log" 2>/dev/null))"
echo "Xvfb on $display"

export DISPLAY="$display"
export XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime"
export QT_QPA_PLATFORM=xcb
export SDL_AUDIODRIVER=dummy
unset PLUMFIZZ_TEST_STOPS

saved_games="$XDG_CONFIG_HOME/tallyho/plumfizz.ini"
reminder_file="$XDG_CONFIG_HOME/tallyho/thupdate.ini"
title="Plumfizz Slots"

# ini_get FILE SECTION KEY: the value, or nothing when absent.
ini_get() {
    [ -f "$1" ] || return 0
    awk -v section="[$2]" -v key="$3" '
        { sub(/\r$/, "") }
        /^[ \t]*\[/ { line = $0; gsub(/^[ \t]+|[ \t]+$/, "", line); inside = (tolower(line) == tolower(section)); next }
        inside {
            eq = index($0, "=")
            if (eq == 0) next
            name = substr($0, 1, eq - 1); gsub(/^[ \t]+|[ \t]+$/, "", name)
            if (tolower(name) != tolower(key)) next
            value = substr($0, eq + 1); gsub(/^[ \t]+|[ \t]+$/, "", value)
            print value; exit
        }' "$1"
}

game() {
    ini_get "$saved_games" CurrentGame "$1"
}

expect_key() { # FILE SECTION KEY EXPECTED...
    local file=$1 section=$2 key=$3 value
    shift 3
    value=$(ini_get "$file" "$section" "$key")
    for expected in "$@"; do
        [ "$value" = "$expected" ] && return 0
    done
    fail "${file##*/} [$section] $key is '$value', expected: $*"
}

start_game() {
    "$game_dir/plumfizz" >>"$work/game.log" 2>&1 &
    game_pid=$!
    window=$(timeout 60 xdotool search --sync --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1) ||
        fail "no window named '$title' appeared"
    [ -n "$window" ] || fail "no window named '$title' appeared"
    local name
    name=$(xdotool getwindowname "$window")
    [ "$name" = "$title" ] || fail "window title is '$name'"
    xdotool windowfocus "$window"
    for _ in $(seq 50); do
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ] && break
        sleep 0.1
    done
    # Input is released by the start-up tick a quarter of a second after the
    # window comes up; leave it ample time.
    sleep 1.5
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended right after start"
}

# wait_for_exit SECONDS: the game's exit status in $exit_status.
wait_for_exit() {
    local limit=$1
    for _ in $(seq $((limit * 10))); do
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$game_pid" 2>/dev/null; then
        import -window root "$work/still-running.png" 2>/dev/null || true
        fail "the game was still running $limit s after being asked to close (a dialog left open? screenshot kept)"
    fi
    exit_status=0
    wait "$game_pid" || exit_status=$?
    game_pid=""
}

# Screen coordinates of the client area's origin, found from the payline: a
# one-pixel pure red line from x 308 to 712 at y 493 of the client area on a
# 1024-pixel-wide screen (404 pixels when its end point is left out, as a
# line drawn up to a point leaves it). Sets origin_x and origin_y.
find_payline() {
    local shot="$work/table.png" row="" found=""
    for _ in $(seq 20); do
        import -window root "$shot" 2>/dev/null || true
        # The row with the most pure red pixels: a mask, averaged per row.
        row=$(convert "$shot" -fill black +opaque '#FF0000' -fill white -opaque '#FF0000' \
                  -colorspace gray -scale '1x768!' -depth 16 txt:- 2>/dev/null |
              sed -n 's/^0,\([0-9]*\): *(\([0-9]*\).*/\1 \2/p' |
              sort -k2,2n | tail -n 1)
        if [ -n "$row" ] && [ "${row#* }" -gt 0 ]; then
            row=${row%% *}
            # Its longest run of pure red.
            found=$(convert "$shot" -crop "1024x1+0+$row" +repage -depth 8 txt:- 2>/dev/null | awk -v y="$row" '
                /^#/ { next }
                {
                    split($1, at, ","); x = at[1] + 0
                    if ($3 == "#FF0000") {
                        if (run == 0) start = x
                        run++
                        if (run > best) { best = run; best_x = start }
                    } else run = 0
                }
                END { if (best > 0) print best_x, y, best }')
            [ -n "$found" ] && [ "${found##* }" -ge 404 ] && break
        fi
        sleep 0.5
    done
    [ -n "$found" ] || fail "no pure red pixel on the screen: no payline"
    read -r run_x run_y run_length <<<"$found"
    [ "$run_length" -ge 404 ] && [ "$run_length" -le 405 ] ||
        fail "the longest pure red run is $run_length pixels at ($run_x, $run_y); the payline is 404 or 405"
    local geometry win_x win_y
    geometry=$(xdotool getwindowgeometry --shell "$window")
    win_x=$(sed -n 's/^X=//p' <<<"$geometry")
    win_y=$(sed -n 's/^Y=//p' <<<"$geometry")
    origin_x=$((run_x - 308))
    origin_y=$((run_y - 493))
    [ "$origin_x" -eq "$win_x" ] ||
        fail "payline starts at x $run_x, window at x $win_x: expected x 308 in the client area"
    # Only the menu bar lies between the window's top and the table.
    [ "$origin_y" -ge "$win_y" ] && [ "$origin_y" -le $((win_y + 60)) ] ||
        fail "payline at y $run_y, window at y $win_y: expected y 493 below a menu bar"
    echo "payline at ($run_x, $run_y), $run_length pixels; table origin ($origin_x, $origin_y)"
}


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

# The slot button of panel n, 1..8, in the dialog's client area.
panel_button() { # N -> "x y"
    local n=$1 column=$(( ($1 - 1) / 4 )) row=$(( ($1 - 1) % 4 ))
    echo "$(( (column == 0 ? 16 : 312) + 232 + 24 )) $(( 16 + row * 72 + 16 + 18 ))"
}

# The Coins and Credits counters (Scaled(200)..Scaled(300) and
# Scaled(540)..Scaled(660) at y Scaled(40)..Scaled(70) on 1024 pixels).
counters_shot() { # FILE
    local shot="$work/screen.png"
    import -window root "$shot" 2>/dev/null || fail "no screenshot"
    convert "$shot" \( +clone -crop "128x40+$((origin_x + 256))+$((origin_y + 51))" +repage \) \
        \( -clone 0 -crop "154x40+$((origin_x + 691))+$((origin_y + 51))" +repage \) -delete 0 +append "$1"
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
    for _ in $(seq 300); do
        [ "$(game Spins)" = "$1" ] && return 0
        kill -0 "$game_pid" 2>/dev/null || fail "the game ended during the spin"
        sleep 0.1
    done
    fail "no saved game with $1 spins half a minute after the spin"
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
