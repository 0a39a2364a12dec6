#!/usr/bin/env bash
# The sound mix as a player hears it: the default theme's tracks rendered at
# the game's level, each effect file's level, and the game itself recorded
# through SDL's disk driver (music alone across the end of the first track,
# then a dozen spins over the music).
#
#   bench/sound-mix.sh <build dir> [meter build dir]
#
# The meter (music-loudness, BS.1770-4) comes from the second build when
# given, so an older build's files and program can be measured with it.
# Prints, per track: integrated loudness, each half, peak; per effect: peak
# and the RMS of its loudest 50 ms; from the recording: the music's
# loudness and the mix's peak; and, from media-probe (the media layer with
# the window's one-second timer, on the wall clock), how long after the first
# track's last note the next began. The disk driver does not keep real time
# (it sleeps whole milliseconds between 5.8 ms chunks), so silences in the
# recording are not the player's: the script prints its pace.
# Needs Xvfb, xdotool and python3. Takes about four minutes.
set -euo pipefail

if [ $# -lt 1 ] || [ ! -x "$1/plumfizz" ]; then
    echo "usage: $0 <build dir> [meter build dir]" >&2
    exit 2
fi
build=$(realpath "$1")
meter=$(realpath "${2:-$1}")/music-loudness
probe=$build/media-probe
[ -x "$meter" ] || { echo "no music-loudness in ${2:-$1}" >&2; exit 2; }
[ -x "$probe" ] || { echo "no media-probe in $1" >&2; exit 2; }
idle_seconds=${IDLE_SECONDS:-82}  # the first track is 73 s long
spins=12

source "$(dirname "$0")/game-under-xvfb.sh"
start_game_setup sound-mix "$build/plumfizz" "$build" :93

echo "== tracks at the game's level"
"$meter" --tracks "$build"
echo
echo "== effects"
"$meter" "$build"/Plum[0-9].wav "$build"/PlumWin.wav

echo
echo "== the next track after the first"
# Neither of SDL's silent drivers keeps real time: the disk driver sleeps
# whole milliseconds between 5.8 ms chunks. Sleeping 6 ms runs the audio about
# 7 % slow, so the synthesiser's own end report comes late and the figure is
# that of the game's clock; with 5 ms the audio runs ahead and reports early.
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null SDL_DISKAUDIODELAY=6 "$probe" gap "$build/" Plum 2>/dev/null || true

echo
echo "== the game, recorded (music alone for $idle_seconds s, then $spins spins)"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/heard.raw"
launch_game
started=$(date +%s.%N)
window=$(xdotool search --onlyvisible --name '^Plumfizz Slots$' | head -n 1)
xdotool windowfocus "$window" 2>/dev/null || true
sleep "$idle_seconds"
idle_bytes=$(stat -c %s "$work/heard.raw")
for _ in $(seq $spins); do
    xdotool key b
    sleep 0.3
    xdotool key space
    sleep 4
done
kill "$game"
wait "$game" 2>/dev/null || true
ended=$(date +%s.%N)

/usr/bin/python3 - "$work/heard.raw" "$idle_bytes" "$work" "$started" "$ended" <<'PY'
import array, math, sys, wave
raw, idle_bytes, work = sys.argv[1], int(sys.argv[2]), sys.argv[3]
wall = float(sys.argv[5]) - float(sys.argv[4])
data = open(raw, "rb").read()
idle_bytes -= idle_bytes % 4
def write(name, chunk):
    with wave.open(f"{work}/{name}.wav", "wb") as w:
        w.setnchannels(2); w.setsampwidth(2); w.setframerate(44100); w.writeframes(chunk)
write("idle", data[:idle_bytes])
write("spins", data[idle_bytes:])
samples = array.array("h", data[:len(data) - len(data) % 2])
peak = max(abs(s) for s in samples) / 32768
print(f"recorded {len(data) / 176400:.1f} s of sound in {wall:.1f} s")
print(f"mix peak: {20 * math.log10(max(peak, 1e-9)):.2f} dBFS")
# Silence between tracks: the longest run of 10 ms stretches under -60 dBFS
# in the music-alone part, after the first sound.
idle = samples[:idle_bytes // 2]
window = 882  # 10 ms of stereo samples
quiet = 32768 * 10 ** (-60 / 20)
longest = run = 0
ended = 0
heard = False
for n, i in enumerate(range(0, len(idle) - window, window)):
    loud = max(abs(s) for s in idle[i:i + window]) >= quiet
    heard = heard or loud
    run = 0 if loud or not heard else run + 1
    if run > longest:
        longest, ended = run, n + 1
print(f"longest silence in the recorded music alone: {longest * 0.01:.2f} s, from {(ended - longest) * 0.01:.2f} s")
PY
"$meter" "$work/idle.wav" "$work/spins.wav"
