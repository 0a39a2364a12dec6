# What the end-to-end scripts share, sourced by each after its own usage
# lines: the arguments (the test build of the game and the close-box helper),
# a private game directory, an X server on a free display, the settings-file
# reader, starting the game and waiting for its end, finding the table by its
# payline, and seeing a win's count-up on the screen.
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
    import -window root "$work/failure.png" 2>/dev/null || true
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
# The manual's pictures and the sponsor pictures live in folders beside the program.
for folder in plumfizz-manual sponsors; do
    if [ -d "$build_dir/$folder" ]; then
        ln -s "$build_dir/$folder" "$game_dir/"
        theme_files=$((theme_files + 1))
    fi
done
[ -e "$game_dir/Plum.bmp" ] || fail "the theme's symbol sheet Plum.bmp is not beside $program"
echo "game directory $game_dir with $theme_files theme files"

# --- A private X server on the first free display of :90..:99, of the
# screen size a script sets in E2E_SCREEN (1024x768 by default).
display=""
for number in $(seq 90 99); do
    [ -e "/tmp/.X$number-lock" ] && continue
    [ -e "/tmp/.X11-unix/X$number" ] && continue
    Xvfb ":$number" -screen 0 "${E2E_SCREEN:-1024x768}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
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
export XDG_DATA_HOME="$work/data"
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

# The game's history as `plumfizz --history` writes it, into $work/history.csv,
# with every row's credits before checked against the credits after of the
# row before it. Fields are counted from the end of a row where a quoted field
# (a pay rule with commas) may stand before them.
read_history() {
    "$game_dir/plumfizz" --history >"$work/history.csv" || fail "plumfizz --history failed"
    awk -F, 'NR > 2 && $(NF-4) != last { bad = NR } NR > 1 { last = $(NF-3) }
             END { exit bad ? 1 : 0 }' "$work/history.csv" ||
        fail "the history's credits do not chain: $(cat "$work/history.csv")"
}

# history_rows KIND: the rows of that kind ("spin", "bonus", "borrow", ...).
history_rows() {
    awk -F, -v kind="$1" 'NR > 1 && $2 == kind' "$work/history.csv"
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

# is_black PICTURE X Y: whether that pixel is pure black.
is_black() {
    [ "$(convert "$1" -crop "1x1+$2+$3" +repage -depth 8 txt:- 2>/dev/null | tail -n 1 | awk '{ print $3 }')" = "#000000" ]
}

# set_layout WIDTH: the table's layout width for scaled(). The game scales by
# the double nearest WIDTH / 800; where that lies below the true ratio, an
# exact product (800 on 985 pixels, say) comes out one pixel short. Whether
# it does is found by long division: 53 significant bits, then the next.
set_layout() {
    layout_width=$1
    layout_short=0
    local rem=$(($1 % 800)) bits=0 whole=$(($1 / 800))
    while [ "$whole" -gt 0 ]; do
        bits=$((bits + 1))
        whole=$((whole >> 1))
    done
    while [ "$rem" -ne 0 ] && [ "$bits" -lt 53 ]; do
        rem=$((rem * 2))
        if [ "$bits" -gt 0 ] || [ "$rem" -ge 800 ]; then bits=$((bits + 1)); fi
        rem=$((rem % 800))
    done
    [ "$rem" -ne 0 ] && [ $((rem * 2)) -lt 800 ] && layout_short=1
    return 0
}

# scaled N: N design pixels in screen pixels on the table of the layout width
# set by set_layout, truncated as the game does it.
scaled() {
    local product=$(($1 * layout_width))
    if [ $((product % 800)) -eq 0 ] && [ "$product" -gt 0 ]; then
        echo $((product / 800 - layout_short))
    else
        echo $((product / 800))
    fi
}

# The table's place on the screen, found from the payline: a one-pixel pure
# red line from Scaled(241) up to Scaled(557) at Scaled(272) + c + c / 2
# (c = Scaled(76)) of the table. The layout width is the one for which the
# line has its length and the table stands centred across the window; the
# whole table must then lie inside the window, below the menu bar, filling
# its width or reaching its foot. Sets layout_width, origin_x and origin_y
# (the table's top-left corner on the screen).
find_payline() {
    local shot="$work/table.png" row="" found="" screen_height
    screen_height=$(xdotool getdisplaygeometry | cut -d' ' -f2)
    for _ in $(seq 20); do
        import -window root "$shot" 2>/dev/null || true
        # The row with the most pure red pixels: a mask, averaged per row.
        row=$(convert "$shot" -fill black +opaque '#FF0000' -fill white -opaque '#FF0000' \
                  -colorspace gray -scale "1x${screen_height}!" -depth 16 txt:- 2>/dev/null |
              sed -n 's/^0,\([0-9]*\): *(\([0-9]*\).*/\1 \2/p' |
              sort -k2,2n | tail -n 1)
        if [ -n "$row" ] && [ "${row#* }" -gt 0 ]; then
            row=${row%% *}
            # Its longest run of pure red.
            found=$(convert "$shot" -crop "100000x1+0+$row" +repage -depth 8 txt:- 2>/dev/null | awk -v y="$row" '
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
            [ -n "$found" ] && [ "${found##* }" -ge 200 ] && break
        fi
        sleep 0.5
    done
    [ -n "$found" ] || fail "no pure red pixel on the screen: no payline"
    read -r run_x run_y run_length <<<"$found"
    local geometry win_x win_y win_w win_h width c
    geometry=$(xdotool getwindowgeometry --shell "$window")
    win_x=$(sed -n 's/^X=//p' <<<"$geometry")
    win_y=$(sed -n 's/^Y=//p' <<<"$geometry")
    win_w=$(sed -n 's/^WIDTH=//p' <<<"$geometry")
    win_h=$(sed -n 's/^HEIGHT=//p' <<<"$geometry")
    # Several widths may give the same line; the table's own edges, with
    # black beside them, tell which.
    local left right
    for ((width = win_w; width >= 400; width--)); do
        set_layout "$width"
        [ $(($(scaled 557) - $(scaled 241))) -eq "$run_length" ] || continue
        left=$((run_x - $(scaled 241)))
        right=$((left + $(scaled 800) - 1))
        [ "$left" -eq $((win_x + (win_w - $(scaled 800)) / 2)) ] || continue
        is_black "$shot" "$left" "$run_y" && continue
        is_black "$shot" "$right" "$run_y" && continue
        [ "$left" -eq "$win_x" ] || is_black "$shot" $((left - 1)) "$run_y" || continue
        [ "$right" -eq $((win_x + win_w - 1)) ] || is_black "$shot" $((right + 1)) "$run_y" || continue
        break
    done
    [ "$width" -ge 400 ] ||
        fail "a payline of $run_length pixels at ($run_x, $run_y) fits no table centred in the window at x $win_x, $win_w wide"
    c=$(scaled 76)
    origin_x=$((run_x - $(scaled 241)))
    origin_y=$((run_y - $(scaled 272) - c - c / 2))
    local foot=$((origin_y + $(scaled 600)))
    # Only the menu bar lies between the window's top and the table; the
    # table's foot is inside the window, and the table fills its width or height.
    [ "$origin_y" -gt "$win_y" ] && [ "$origin_y" -le $((win_y + 60)) ] ||
        fail "table top at y $origin_y, window at y $win_y: expected just below a menu bar"
    [ "$foot" -le $((win_y + win_h)) ] || fail "the table's foot (y $foot) lies below the window's (y $((win_y + win_h)))"
    [ "$layout_width" -eq "$win_w" ] || [ "$foot" -ge $((win_y + win_h - 1)) ] ||
        fail "a table $layout_width wide ending at y $foot fills neither the window's width ($win_w) nor its height"
    echo "payline at ($run_x, $run_y), $run_length pixels; table $layout_width wide at ($origin_x, $origin_y)"
}

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

# --- Windows of the dialogs.

# find_window NAME: the id of the visible window of that name, in $found_window.
find_window() {
    found_window=$(timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) ||
        fail "no window named '$1' appeared"
    [ -n "$found_window" ] || fail "no window named '$1' appeared"
}

# wait_gone ID NAME: the window is unmapped within ten seconds.
wait_gone() {
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name "^$2\$" 2>/dev/null | grep -qx "$1" || return 0
        sleep 0.1
    done
    fail "the window '$2' is still open"
}

# focus ID: keys go to the focused window, and without a window manager
# nobody moves the focus to a new dialog, so the test does.
focus() {
    xdotool windowfocus "$1" 2>/dev/null || true
    for _ in $(seq 30); do
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && return 0
        sleep 0.1
    done
}

# keep_shot NAME: a screenshot of the screen, copied to $PLUMFIZZ_E2E_SHOTS when set.
keep_shot() {
    import -window root "$work/$1.png" 2>/dev/null || fail "no screenshot"
    if [ -n "${PLUMFIZZ_E2E_SHOTS:-}" ]; then
        mkdir -p "$PLUMFIZZ_E2E_SHOTS"
        cp "$work/$1.png" "$PLUMFIZZ_E2E_SHOTS/"
    fi
}
