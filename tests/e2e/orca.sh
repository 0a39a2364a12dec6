#!/usr/bin/env bash
# Plays a round with a real screen reader beside the game: Orca on a private
# D-Bus session with the accessibility bus, under Openbox, speaking through
# speech-dispatcher and espeak-ng into a silent ALSA device. Orca's own debug
# record of what it spoke must hold each spin's outcome with the credits and
# the meter, the bonus game's prize and a borrowing.
# The stops are forced to three double bars with a nudge and 4 bonus points,
# so three one-coin spins fill the meter; the bonus window takes Enter. A
# Space while the first spin turns is refused and told.
#
#   orca.sh <plumfizz-e2e> <plumfizz-e2e-close-box>
set -euo pipefail

if [ -z "${PLUMFIZZ_PRIVATE_BUS:-}" ]; then
    command -v dbus-run-session >/dev/null || { echo "SKIPPED: dbus-run-session is not installed (scripts/setup.sh installs it)"; exit 77; }
    exec env PLUMFIZZ_PRIVATE_BUS=1 dbus-run-session -- bash "$0" "$@"
fi

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

for tool in orca speech-dispatcher espeak-ng openbox; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup.sh installs it)"
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is not installed (scripts/setup.sh installs it)"

# Orca and the speech server it starts live in this test's directories and
# end with it.
orca_pid=""
stop_orca() {
    if [ -n "$orca_pid" ] && kill -0 "$orca_pid" 2>/dev/null; then
        # Orca writes the rest of its record as it exits.
        kill -TERM "$orca_pid" 2>/dev/null || true
        for _ in $(seq 200); do
            kill -0 "$orca_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$orca_pid" 2>/dev/null || true
    fi
    orca_pid=""
    local file
    for file in "$XDG_RUNTIME_DIR"/speech-dispatcher/pid/*.pid; do
        [ -f "$file" ] && kill -KILL "$(cat "$file")" 2>/dev/null
    done
    return 0
}
trap 'stop_orca; cleanup' EXIT

export HOME="$work/home"
mkdir -p "$HOME"
printf 'pcm.!default { type null }\n' >"$HOME/.asoundrc"
# speech-dispatcher's own audio goes to ALSA: it has no PulseAudio to fall back from.
cp -r /etc/speech-dispatcher "$XDG_CONFIG_HOME/speech-dispatcher"
printf '\nAudioOutputMethod "alsa"\n' >>"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"

step "the accessibility bus, a window manager and Orca"
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >"$work/a11y-bus.txt" 2>&1 ||
    fail "the accessibility bus did not start: $(cat "$work/a11y-bus.txt")"
openbox --sm-disable >"$work/openbox.log" 2>&1 &
orca_log="$work/orca.log"
orca --debug-file="$orca_log" --user-prefs="$work/orca-prefs" >"$work/orca.out" 2>&1 &
orca_pid=$!
player="$(dirname "${BASH_SOURCE[0]}")/orca.py"
/usr/bin/python3 "$player" ready >>"$work/orca.out" 2>&1 || fail "Orca did not come up: $(tail -n 5 "$work/orca.out")"

step "three one-coin spins, the bonus game and \$100 borrowed, heard through Orca"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export PLUMFIZZ_TEST_STOPS=27,12,2
start_game
xdotool windowactivate --sync "$window" 2>/dev/null || true
timeout 120 /usr/bin/python3 "$player" play >"$work/player.log" 2>&1 ||
    { cat "$work/player.log"; fail "the round could not be played"; }
credits=$(sed -n 's/^CREDITS //p' "$work/player.log" | tail -n 1)
"$close_box" "$window" || fail "could not send the close box's message"
wait_for_exit 30
[ "$exit_status" -eq 0 ] || fail "the game exited with status $exit_status"
stop_orca

step "what Orca spoke"
spoken="$work/spoken.txt"
sed -n "s/^.* - SPEECH OUTPUT: '\(.*\)'{.*$/\1/p" "$orca_log" >"$spoken"
sed 's/^/  said: /' "$spoken"
heard() { # EXTENDED-REGEX: the line Orca spoke, or a failure
    grep -Eq -- "$1" "$spoken" || { keep_work=1; fail "Orca never said /$1/ (its record: $orca_log)"; }
}
heard '^Coins 1\. Credits 999\.$'
heard '^Reels turning\.$'
heard '^Left reel nudges up\. Three double bars\. You win 10\. Credits 1009\. Bonus meter 4 of 12\.$'
heard '^Left reel nudges up\. Three double bars\. You win 10\. Credits 1018\. Bonus meter 8 of 12\.$'
heard '^Left reel nudges up\. Three double bars\. You win 10\. Credits 1027\. Bonus meter 12 of 12\.$'
heard "^Bonus game: box [1-8] (holds [0-9]+|is empty)\. Credits $((credits - 100))\. Bonus meter 0 of 12\.\$"
heard "^You borrowed 100\. Credits $credits, borrowed 1100\.\$"
# "Where am I" (keypad Enter) on the table reads the counters, and spins nothing.
heard "^Coins [0-9]+\. (Winnings [0-9]+\. )?Credits $credits\. Bonus meter 0 of 12\.\$"
! grep -q 'percent' "$spoken" || fail "Orca spoke the bonus meter as a bare percentage: $(grep percent "$spoken" | head -n 1)"
expect_key "$saved_games" CurrentGame Credits "$credits"
expect_key "$saved_games" CurrentGame Spins 3
echo "PASS"
