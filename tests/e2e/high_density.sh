#!/usr/bin/env bash
# The table on a high-density screen: a 3840 x 2160 screen at twice the
# logical size (QT_SCALE_FACTOR=2). The table keeps its logical layout and is
# drawn at the screen's resolution: the payline, one logical pixel high, is
# two screen rows, exactly twice as long and twice as far in as the logical
# layout puts it; the counters' digits grow with the table and are drawn from
# the digit strip's four-times variant, not magnified; a spin plays and is saved, and the line is
# there after it.
#
#   high_density.sh <plumfizz-e2e> <plumfizz-e2e-close-box>
set -euo pipefail

E2E_SCREEN=3840x2160
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
export QT_SCALE_FACTOR=2

# red_line: "X Y LENGTH ROWS" of the longest run of pure red on the screen and
# how many rows from Y down repeat it.
red_line() {
    local shot="$work/screen.png" row found rows=0
    import -window root "$shot" 2>/dev/null || fail "no screenshot"
    row=$(convert "$shot" -fill black +opaque '#FF0000' -fill white -opaque '#FF0000' \
              -colorspace gray -scale "1x2160!" -depth 16 txt:- 2>/dev/null |
          sed -n 's/^0,\([0-9]*\): *(\([0-9]*\).*/\1 \2/p' | sort -k2,2n -k1,1nr | tail -n 1)
    row=${row%% *}
    run_of() {
        convert "$shot" -crop "3840x1+0+$1" +repage -depth 8 txt:- 2>/dev/null | awk '
            /^#/ { next }
            { split($1, at, ","); x = at[1] + 0
              if ($3 == "#FF0000") { if (run == 0) start = x; run++; if (run > best) { best = run; best_x = start } }
              else run = 0 }
            END { print best_x + 0, best + 0 }'
    }
    found=$(run_of "$row")
    # The line's first row: the rows above with the same run belong to it too.
    while [ "$row" -gt 0 ] && [ "$(run_of $((row - 1)))" = "$found" ]; do row=$((row - 1)); done
    while [ "$(run_of $((row + rows)))" = "$found" ]; do rows=$((rows + 1)); done
    echo "${found% *} $row ${found#* } $rows"
}

check_payline() {
    read -r x y length rows <<<"$(red_line)"
    echo "payline at ($x, $y), $length pixels long, $rows rows high"
    [ "$rows" -eq 2 ] || fail "the payline is $rows screen rows high, not one logical pixel (two rows)"
    local geometry win_x win_w logical_w
    geometry=$(xdotool getwindowgeometry --shell "$window")
    win_x=$(sed -n 's/^X=//p' <<<"$geometry")
    win_w=$(sed -n 's/^WIDTH=//p' <<<"$geometry")
    logical_w=$((win_w / 2))
    # The logical layout width whose payline, doubled, has this length and
    # stands centred in the window's logical width.
    local width found=""
    for ((width = logical_w; width >= 400; width--)); do
        set_layout "$width"
        [ $((2 * ($(scaled 557) - $(scaled 241)))) -eq "$length" ] || continue
        [ "$x" -eq $((win_x + 2 * ((logical_w - $(scaled 800)) / 2) + 2 * $(scaled 241))) ] || continue
        found=$width
        break
    done
    [ -n "$found" ] || fail "a payline of $length pixels at x $x fits no logical table centred in the ${logical_w}-wide window at x $win_x"
    echo "logical table $found wide, drawn at twice its size"
    local c
    c=$(scaled 76)
    origin_x=$((x - 2 * $(scaled 241)))
    origin_y=$((y - 2 * ($(scaled 272) + c + c / 2)))
}

# The last digit of Credits (1000 at the start) against the digit strip's
# cell 0: its cells grow with the table (the large ones sized for a 1024-wide
# table, the small ones for an 800-wide one) and are drawn at the screen's
# resolution from the strip's four-times variant, so the cell on the screen
# is that variant's cell at the cell's size, give or take the smoothing.
check_digit() {
    local name=LargeGreenDigits base_w=32 base_h=42 scale
    scale=$(awk -v w="$layout_width" 'BEGIN { s = w / 1024; print (s < 1 ? 1 : s) }')
    if [ "$layout_width" -lt 1000 ]; then
        name=SmallGreenDigits base_w=16 base_h=21
        scale=$(awk -v w="$layout_width" 'BEGIN { print w / 800 }')
    fi
    local strip="$build_dir/tools/artgen/art/pictures/$name@4x.png"
    [ -f "$strip" ] || fail "no digit strip at $strip"
    local cell_w cell_h
    cell_w=$(awk -v n="$base_w" -v s="$scale" 'BEGIN { printf "%d", 2 * int(n * s + 0.5) }')
    cell_h=$(awk -v n="$base_h" -v s="$scale" 'BEGIN { printf "%d", 2 * int(n * s + 0.5) }')
    local right=$((origin_x + 2 * $(scaled 620))) top=$((origin_y + 2 * $(scaled 44)))
    convert "$work/screen.png" -crop "${cell_w}x${cell_h}+$((right - cell_w))+$top" +repage "$work/digit.png"
    convert "$strip" -crop "$((4 * base_w))x$((4 * base_h))+0+0" +repage -resize "${cell_w}x${cell_h}!" "$work/cell.png"
    local error
    error=$(compare -metric RMSE "$work/digit.png" "$work/cell.png" null: 2>&1 | sed -n 's/.*(\([0-9.e-]*\)).*/\1/p' || true)
    echo "last Credits digit, ${cell_w} x ${cell_h} at ($((right - cell_w)), $top): $error root mean square error against the strip's"
    [ -n "$error" ] && awk -v e="$error" 'BEGIN { exit !(e < 0.06) }' ||
        fail "the Credits digit is not the strip's cell at its size (error ${error:-unknown})"
}

step "the table at twice the logical size"
start_game
check_payline
check_digit
xdotool key b
sleep 0.3
xdotool key space
for _ in $(seq 100); do
    [ "$(game Spins)" = "1" ] && break
    sleep 0.2
done
[ "$(game Spins)" = "1" ] || fail "the spin was not played (Spins is '$(game Spins)')"
sleep 1
check_payline

"$close_box" "$window" || fail "could not send the close box's message"
wait_for_exit 30
[ "$exit_status" -eq 0 ] || fail "the game exited with status $exit_status"
echo "PASS"
