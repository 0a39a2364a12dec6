#!/usr/bin/env bash
# An install into a temporary prefix, used as a player would: the program in
# games run from another directory (its theme found in share/games/plumfizz,
# one spin played under Xvfb), the command line's answers, the failure without
# a display with Qt's reason, the manual in share/doc/plumfizz, the desktop
# entry, icons and man pages.
#
#   install.sh <build directory>
set -euo pipefail

build=$(realpath "$1")
skip() {
    echo "SKIPPED: $*"
    exit 77
}
for tool in Xvfb xdotool desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup.sh installs it)"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/plumfizz-install.XXXXXX")
xvfb_pid=""
game_pid=""
cleanup() {
    [ -z "$game_pid" ] || kill -KILL "$game_pid" 2>/dev/null || true
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    [ ! -s "$work/game.log" ] || tail -n 20 "$work/game.log" >&2
    exit 1
}

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || fail "cmake --install failed: $(tail -n 5 "$work/install.log")"

# --- What was installed, and nothing of the build tree.
home="$prefix/share/games/plumfizz"
doc="$prefix/share/doc/plumfizz"
program="$prefix/games/plumfizz"
[ -x "$program" ] && [ ! -L "$program" ] || fail "games/plumfizz is not the program"
[ -x "$prefix/games/plumfizz-par" ] || fail "games/plumfizz-par is missing"
[ ! -e "$prefix/bin" ] && [ ! -e "$prefix/lib" ] || fail "bin or lib installed: $(ls "$prefix")"
for file in Plum.bmp Paychart.bmp Plum0.wav PlumWin.wav Plum0.mid Plum4.mid sponsors/banner1.gif sponsors/bottom1.jpg; do
    [ -f "$home/$file" ] || fail "the theme file $file is not in $home"
done
for file in plumfizz.html plumfizz-manual/symbols.png; do
    [ -f "$doc/$file" ] || fail "the manual's $file is not in $doc"
done
[ -z "$(find "$home" -name '*.html' -o -perm -u+x -type f)" ] || fail "documentation or programs among the theme files in $home"
stray=$(find "$prefix" \( -name 'tests-*' -o -name 'bench-*' -o -name '*-e2e*' -o -name '*.o' -o -name CMakeFiles \) -print)
[ -z "$stray" ] || fail "build-tree files installed: $stray"
desktop-file-validate "$prefix/share/applications/plumfizz.desktop" || fail "the desktop entry does not validate"
# The software centres' entry: no error, no warning, not even a pedantic remark.
metainfo="$prefix/share/metainfo/org.tallyho.plumfizz.metainfo.xml"
[ -f "$metainfo" ] || fail "no AppStream metainfo in share/metainfo"
validation=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1) || fail "the metainfo does not validate: $validation"
echo "$validation" | grep -q "Validation was successful" || fail "the metainfo validates with remarks: $validation"
for size in 16 32 48 256; do
    [ -s "$prefix/share/icons/hicolor/${size}x$size/apps/plumfizz.png" ] || fail "no ${size}x$size icon"
done
for page in plumfizz plumfizz-par; do
    grep -q '^\.TH' "$prefix/share/man/man6/$page.6" 2>/dev/null || fail "no man page $page.6"
done

# --- The command line, from another directory.
cd "$work"
version=$("$program" --version) || fail "plumfizz --version failed"
[ "$version" = "plumfizz 2.0" ] || fail "plumfizz --version printed '$version'"
"$program" --help | grep -q '^Usage: plumfizz' || fail "plumfizz --help printed no usage"
status=0
"$program" --bogus 2>"$work/usage.txt" || status=$?
[ "$status" -eq 2 ] && [ "$(wc -l <"$work/usage.txt")" -eq 1 ] ||
    fail "an unknown argument gave status $status and: $(cat "$work/usage.txt")"
no_display="Plumfizz Slots needs a graphical display (DISPLAY or WAYLAND_DISPLAY is not set or cannot be opened)."
status=0
env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="" XDG_RUNTIME_DIR="$work" \
    "$program" >/dev/null 2>"$work/display.txt" || status=$?
[ "$status" -eq 1 ] && [ "$(cat "$work/display.txt")" = "$no_display" ] ||
    fail "without a display: status $status and: $(cat "$work/display.txt")"
# A display named but not there, and a platform that does not match the
# display: the same first line, then Qt's reason (the platform it tried and why).
no_platform() { # PLATFORM REASON-PATTERN ENV...
    local platform=$1 reason=$2
    shift 2
    status=0
    env -u WAYLAND_DISPLAY -u DISPLAY "$@" QT_QPA_PLATFORM="$platform" XDG_RUNTIME_DIR="$work" \
        "$program" >/dev/null 2>"$work/display.txt" || status=$?
    [ "$status" -eq 1 ] && [ "$(head -n 1 "$work/display.txt")" = "$no_display" ] &&
        grep -q "^Qt: .*$platform" "$work/display.txt" && grep -qi "^Qt: .*$reason" "$work/display.txt" ||
        fail "with $platform and $*: status $status and: $(cat "$work/display.txt")"
}
no_platform xcb "could not connect to display" DISPLAY=:4711
no_platform xcb "could not connect to display" WAYLAND_DISPLAY=wayland-4711
no_platform nosuchplatform "could not find"  DISPLAY=:4711

# --- One spin of the installed game on a private X server.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$work/display")" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime"
export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
"$program" >"$work/game.log" 2>&1 &
game_pid=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Plumfizz Slots$' | head -n 1) ||
    fail "the installed game showed no window"
xdotool windowfocus "$window"
sleep 1.5
xdotool key b key Return
saved="$XDG_CONFIG_HOME/tallyho/plumfizz.ini"
for _ in $(seq 300); do
    grep -q '^Spins=1' "$saved" 2>/dev/null && break
    kill -0 "$game_pid" 2>/dev/null || fail "the installed game ended"
    sleep 0.1
done
grep -q '^Spins=1' "$saved" 2>/dev/null || fail "the installed game saved no spin"
kill -TERM "$game_pid"
status=0
wait "$game_pid" || status=$?
game_pid=""
[ "$status" -eq 0 ] || fail "the installed game ended with status $status after SIGTERM"
echo "installed into $prefix: programs, theme, manual, desktop entry, icons, man pages; one spin played"
