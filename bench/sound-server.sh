#!/usr/bin/env bash
# The game heard through a real desktop sound server: a private PulseAudio
# with a null sink, recorded from the sink's monitor with parec.
#
#   bench/sound-server.sh BUILD_DIR [SECONDS] [DISPLAY]
#
# Prints
#   - gaps: the game's music (and a spin every five seconds) recorded for
#     SECONDS (40 by default) with two busy processes beside it, the runs of
#     exact silence inside the sound (stretches the server had nothing for);
#   - CPU: the game's processor time per thread over 20 s of music, no load;
#   - latency: B pressed eight times with the music level at 0, from the key
#     (just before xdotool starts) to the coin sound in the monitor.
# Needs Xvfb, xdotool, pulseaudio and pulseaudio-utils (scripts/setup.sh).
# Takes about two minutes; PARTS="gaps cpu latency" (the default) chooses.
set -euo pipefail

build=$(realpath "${1:?usage: bench/sound-server.sh BUILD_DIR [SECONDS] [DISPLAY]}")
seconds=${2:-40}
display=${3:-:46}
[ -x "$build/plumfizz" ] || { echo "no $build/plumfizz (build the project first)" >&2; exit 2; }
here=$(dirname "$(realpath "${BASH_SOURCE[0]}")")

source "$here/game-under-xvfb.sh"
source "$here/../tests/e2e/sound_server.sh"
start_game_setup sound-server "$build/plumfizz" "$build" "$display"
sound_server_setup "$work/pulse"
sound_server_start || { echo "the sound server did not start: $(tail -n 5 "$work/pulse/server.log")" >&2; exit 1; }
pids+=("$sound_server_pid")
unset SDL_AUDIODRIVER

focus_game() {
    local window
    window=$(xdotool search --sync --pid "$game" --onlyvisible 2>/dev/null | head -n 1)
    xdotool windowfocus --sync "$window"
    sleep 1.5  # the start-up tick releases input, the first track starts
}

end_game() {
    kill "$game" 2>/dev/null || true
    wait "$game" 2>/dev/null || true
}

parts=" ${PARTS:-gaps cpu latency} "

if [[ $parts == *" gaps "* ]]; then
echo "== gaps: $seconds s of music and spins, two busy processes beside the game"
busy=()
for _ in 1 2; do
    sh -c 'while :; do :; done' &
    busy+=($!)
    pids+=($!)
done
launch_game
focus_game
python3 "$here/sound-server.py" gaps "$seconds" "$work/heard.raw"
kill "${busy[@]}"
end_game
fi

if [[ $parts == *" cpu "* ]]; then
echo "== CPU: 20 s of music, no load"
ticks=$(getconf CLK_TCK)
thread_ticks() {
    for stat in /proc/"$game"/task/*/stat; do
        sed -E 's/^[0-9]+ \((.*)\) (.*)$/\1\t\2/' "$stat" | awk -F'\t' '{ split($2, f, " "); print $1 "\t" f[12] + f[13] }'
    done | awk -F'\t' '{ sum[$1] += $2 } END { for (name in sum) print name "\t" sum[name] }' | sort
}
launch_game
sleep 3
before=$(thread_ticks)
sleep 20
after=$(thread_ticks)
join -t$'\t' <(echo "$before") <(echo "$after") | awk -F'\t' -v t="$ticks" '
    { used = ($3 - $2) / t / 20 * 100; total += used; if (used > 0) parts = parts sprintf(", %s %.2f", $1, used) }
    END { printf "music on: CPU %.2f %% of one core (%s)\n", total, substr(parts, 3) }'
end_game
fi

if [[ $parts == *" latency "* ]]; then
echo "== latency: key B to the coin sound, music level 0"
mkdir -p "$XDG_CONFIG_HOME/tallyho"
printf '[Volume]\r\nEffects=100\r\nMusic=0\r\n' >"$XDG_CONFIG_HOME/tallyho/plumfizz.ini"
launch_game
focus_game
python3 "$here/sound-server.py" latency 8 "$work/latency.raw"
end_game
fi
echo "load average $(cut -d' ' -f1-3 /proc/loadavg)"
