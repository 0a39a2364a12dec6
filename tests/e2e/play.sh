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

program=$(realpath "$1")
close_box=$(realpath "$2")

skip() {
    echo "SKIPPED: $*"
    exit 77
}
for tool in Xvfb xdotool import convert; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup.sh installs it)"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/plumfizz-e2e.XXXXXX")
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

# True when the Winnings field, (320, 44)-(450, 70) scaled, shows a figure.
# Placing a coin and every repaint leave the field black; only the count-up
# of a win draws digits into it.
winnings_shown() {
    local shot="$work/winnings.png"
    import -window root "$shot" 2>/dev/null || return 1
    convert "$shot" -crop "160x30+$((origin_x + 412))+$((origin_y + 58))" +repage -depth 8 txt:- 2>/dev/null | awk '
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
