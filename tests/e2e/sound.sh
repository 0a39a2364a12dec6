#!/usr/bin/env bash
# The game heard through a real desktop sound server (a private PulseAudio
# with a null sink, recorded from its monitor with parec):
#   1. started while no server runs: silent, with one line on standard error
#      and none of the ALSA library's;
#   2. the server started after the game: the music arrives, unasked;
#   3. the Music level set to 0 in the Volume window silences the music; an
#      effect (the coin of B) is still heard;
#   4. the server stopped and started again during play: the coin is heard
#      again; the level is saved on exit.
#
#   sound.sh <plumfizz-e2e> <plumfizz-e2e-close-box>
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$(dirname "${BASH_SOURCE[0]}")/sound_server.sh"
for tool in pulseaudio parec pactl python3; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup.sh installs it)"
done
unset SDL_AUDIODRIVER
sound_server_setup "$work/pulse"
recorder=""
stop_all() {
    [ -z "$recorder" ] || kill "$recorder" 2>/dev/null || true
    sound_server_stop
    cleanup
}
trap stop_all EXIT

# peak FILE FROM: the loudest sample of the recording from byte FROM on, in
# dBFS (-999 for none).
peak() {
    python3 - "$1" "$2" <<'PY'
import array, math, sys
with open(sys.argv[1], "rb") as f:
    f.seek(int(sys.argv[2]))
    data = f.read()
samples = array.array("h", data[:len(data) // 2 * 2])
top = max((abs(s) for s in samples), default=0)
print(round(20 * math.log10(top / 32768), 1) if top else -999)
PY
}

# wait_for_sound FILE FROM SECONDS: true once the recording from FROM on
# holds a sample over -40 dBFS.
wait_for_sound() {
    local level
    for _ in $(seq $(($3 * 4))); do
        sleep 0.25
        level=$(peak "$1" "$2")
        [ "${level%.*}" -gt -40 ] && return 0
    done
    return 1
}

size_of() {
    stat -c %s "$1"
}

# ---------------------------------------------------------------- 1
step "1: started without a sound server: silent, one line on standard error"
start_game
find_payline
lines=$(grep -c . "$work/game.log" || true)
grep -q "^No audio output (.*): the game runs silent$" "$work/game.log" ||
    fail "no line saying there is no audio output"
[ "$lines" -eq 1 ] || fail "$lines lines on standard error, expected one"

# ---------------------------------------------------------------- 2
step "2: the server started after the game: the music arrives"
sound_server_start || fail "the sound server did not start: $(tail -n 5 "$work/pulse/server.log" 2>/dev/null)"
started=$(date +%s.%N)
record_sink "$work/heard.raw"
# The game looks for its output every few seconds while idle.
wait_for_sound "$work/heard.raw" 0 15 || fail "no sound 15 s after the server started"
echo "sound $(awk -v a="$started" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }') s after the server started; peak $(peak "$work/heard.raw" 0) dBFS"
pactl list sink-inputs | grep -q 'application.name = "Plumfizz Slots"' || fail "the game's stream is not on the server"

# ---------------------------------------------------------------- 3
step "3: the Music level at 0 in the Volume window silences the music"
xdotool key alt+o
sleep 0.5
xdotool key v
find_window Volume
volume=$found_window
focus "$volume"
xdotool key alt+m Home
sleep 0.3
xdotool key Return
wait_gone "$volume" Volume
focus "$window"
sleep 0.5
from=$(size_of "$work/heard.raw")
sleep 3
level=$(peak "$work/heard.raw" "$from")
[ "${level%.*}" -lt -60 ] || fail "the music is heard at level 0: peak $level dBFS"
echo "music at level 0: peak $level dBFS"
from=$(size_of "$work/heard.raw")
xdotool key b
wait_for_sound "$work/heard.raw" "$from" 3 || fail "the coin of B is not heard"
echo "the coin: peak $(peak "$work/heard.raw" "$from") dBFS"

# ---------------------------------------------------------------- 4
step "4: the server stopped and started again: sound comes back"
kill "$recorder" 2>/dev/null || true
wait "$recorder" 2>/dev/null || true
sound_server_stop
sleep 1
xdotool key Escape  # a key that plays nothing: the game goes on
sleep 1
kill -0 "$game_pid" 2>/dev/null || fail "the game ended when the server went away"
sound_server_start || fail "the sound server did not start again"
record_sink "$work/again.raw"
sleep 1
heard=0
for _ in $(seq 4); do  # the table takes five coins
    from=$(size_of "$work/again.raw")
    xdotool key b
    if wait_for_sound "$work/again.raw" "$from" 2; then
        heard=1
        break
    fi
done
[ "$heard" = 1 ] || fail "no coin heard after the server came back"
echo "the coin again: peak $(peak "$work/again.raw" 0) dBFS"

xdotool key ctrl+q
wait_for_exit 30
[ "$exit_status" -eq 0 ] || fail "the game exited with status $exit_status"
expect_key "$saved_games" Volume Music 0
expect_key "$saved_games" Volume Effects 100
lines=$(grep -c . "$work/game.log" || true)
[ "$lines" -le 3 ] || fail "$lines lines on standard error: $(cat "$work/game.log")"
echo "standard error:"
sed 's/^/  /' "$work/game.log"
echo "PASS"
