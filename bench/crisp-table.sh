#!/usr/bin/env bash
# How crisp the table is on large and high-density screens, and what drawing
# it costs there, for one build or two side by side (before and after).
#
#   bench/crisp-table.sh BUILD [OTHER_BUILD]
#
# For each build directory (holding plumfizz, plumfizz-preview, edge-measure
# and the default theme):
#   - the edge measure (bench/drawing/EdgeMeasure.cpp) of the table drawn by
#     plumfizz-preview at widths 1024, 1440, 2880 and 3840, each also as a
#     share of the measure at 1024;
#   - the same measure of the real window's table in a screenshot of a
#     3840 x 2160 screen under QT_SCALE_FACTOR=2, as a share of the 1024
#     preview (the table found as the part of the screen that is not black);
#   - first paint at 3840 x 2160: from the start of the program to its table's
#     first paint, median of seven starts (a single start swings by tens of
#     milliseconds on a busy machine);
#   - the art generator's time to write every picture and its variants.
# The edge measure of BUILD's edge-measure is used for both builds. Needs
# Xvfb, xdotool and ImageMagick.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ $# -ge 1 ] || { echo "usage: $0 BUILD [OTHER_BUILD]" >&2; exit 2; }
measure=$(realpath "$1")/edge-measure
[ -x "$measure" ] || { echo "no $measure (build the project first)" >&2; exit 2; }
export QT_QPA_PLATFORM=offscreen

source "$here/game-under-xvfb.sh"

monotonic_micros() { python3 -c 'import time; print(int(time.monotonic() * 1e6))'; }

report() {
    local build=$1 reference width value
    echo "== $build"
    for width in 1024 1440 2880 3840; do
        QT_QPA_PLATFORM=offscreen "$build/plumfizz-preview" "$work/preview-$width.png" "$width" "$build" 2>/dev/null
        value=$("$measure" "$work/preview-$width.png")
        [ "$width" = 1024 ] && reference=$value
        printf '  preview %4d wide   edge %7.2f   %.2f of 1024\n' "$width" "$value" "$(awk -v a="$value" -v b="$reference" 'BEGIN { print a / b }')"
    done

    # The real window on a 3840 x 2160 screen at twice the logical size.
    local display=:57 start stamp times=() geometry left top w h
    Xvfb "$display" -screen 0 3840x2160x24 -nolisten tcp >"$work/xvfb-4k.log" 2>&1 &
    local xvfb=$!
    for _ in $(seq 50); do DISPLAY=$display xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
    export DISPLAY=$display
    # Seven starts for the first paint, then one at twice the logical size.
    local starts=7
    for run in $(seq $((starts + 1))); do
        rm -rf "$work/config" && mkdir -p "$work/config"
        rm -f "$work/frames.log"
        start=$(monotonic_micros)
        if [ "$run" -gt "$starts" ]; then QT_SCALE_FACTOR=2 launch_game; else launch_game; fi
        stamp=$(awk '$2 == "first-paint" { print $1; exit }' "$work/frames.log")
        [ "$run" -gt "$starts" ] || times+=($(((stamp - start) / 1000)))
        if [ "$run" -gt "$starts" ]; then
            sleep 1
            import -window root "$work/screen.png"
            # The table: what is not black below the menu bar, 4:3.
            geometry=$(convert "$work/screen.png" -crop 3840x2060+0+100 +repage -fuzz 1% -trim -format '%w %h %X %Y' info:)
            read -r w h left top <<<"$geometry"
            top=$((100 + ${top#+} + h - w * 3 / 4))
            h=$((w * 3 / 4))
            left=${left#+}
            value=$("$measure" "$work/screen.png" $((left + w * 35 / 100)) $((top + h * 45 / 100)) $((w * 45 / 100)) $((h * 40 / 100)))
            printf '  window at scale 2  edge %7.2f   %.2f of 1024 (table %dx%d at %d,%d on the screen)\n' \
                "$value" "$(awk -v a="$value" -v b="$reference" 'BEGIN { print a / b }')" "$w" "$h" "$left" "$top"
        fi
        kill "$game" 2>/dev/null || true
        wait "$game" 2>/dev/null || true
    done
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
    mapfile -t sorted < <(printf '%s\n' "${times[@]}" | sort -n)
    printf '  first paint at 3840x2160: median %d ms of %s ms\n' "${sorted[$((starts / 2))]}" "${times[*]}"

    local kind art_start
    art_start=$(monotonic_micros)
    for kind in pictures theme sponsors manual icons; do
        QT_QPA_PLATFORM=offscreen "$build/plumfizz-artgen" "$kind" "$work/art/$kind" 2>/dev/null
    done
    printf '  art generator: %d files in %d ms\n' "$(find "$work/art" -type f | wc -l)" \
        $((($(monotonic_micros) - art_start) / 1000))
    rm -rf "$work/art"
}

for build in "$@"; do
    build=$(realpath "$build")
    start_game_setup crisp "$build/plumfizz" "$build" :56
    report "$build"
done
