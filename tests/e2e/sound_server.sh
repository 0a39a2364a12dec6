# A private PulseAudio server for one run, sourced by the scripts that hear
# the game through a desktop sound server: a null sink named "game" whose
# monitor is recorded with parec, reached through a socket in a directory of
# its own, so no desktop session's server is touched. Runs as root (CI) or
# as a user alike: the server runs in per-user mode with a private runtime
# and state directory and lets any client of the socket in.
#
#   sound_server_setup DIR   names the directory; exports PULSE_SERVER
#   sound_server_start       starts the server; true once it answers
#   sound_server_stop        ends it (and waits for it)
#   record_sink FILE         parec of the sink's monitor into FILE (raw
#                            s16le, 44.1 kHz, stereo) in the background;
#                            its process id in $recorder
sound_server_dir=""
sound_server_pid=""

sound_server_setup() {
    sound_server_dir=$1
    mkdir -p "$sound_server_dir/runtime" "$sound_server_dir/state" "$sound_server_dir/home"
    chmod 700 "$sound_server_dir/runtime"
    cat >"$sound_server_dir/server.pa" <<EOF
load-module module-null-sink sink_name=game rate=44100 channels=2
set-default-sink game
load-module module-native-protocol-unix socket=$sound_server_dir/runtime/native auth-anonymous=1
EOF
    # Every client (the game, parec, pactl) finds the server by these, and
    # keeps its cookie here rather than in the home directory.
    export PULSE_SERVER="unix:$sound_server_dir/runtime/native"
    export PULSE_COOKIE="$sound_server_dir/cookie"
}

sound_server_start() {
    # Its own HOME and runtime: no cookie, configuration or socket of a
    # desktop session is read or written; no autospawn by the clients.
    HOME="$sound_server_dir/home" XDG_RUNTIME_DIR="$sound_server_dir/runtime" \
        PULSE_RUNTIME_PATH="$sound_server_dir/runtime" PULSE_STATE_PATH="$sound_server_dir/state" \
        pulseaudio -n -F "$sound_server_dir/server.pa" --daemonize=no --exit-idle-time=-1 \
        --use-pid-file=no --system=no --log-target=file:"$sound_server_dir/server.log" \
        </dev/null >/dev/null 2>&1 &
    sound_server_pid=$!
    for _ in $(seq 100); do
        pactl info >/dev/null 2>&1 && return 0
        kill -0 "$sound_server_pid" 2>/dev/null || break
        sleep 0.1
    done
    return 1
}

sound_server_stop() {
    [ -n "$sound_server_pid" ] || return 0
    kill "$sound_server_pid" 2>/dev/null || true
    wait "$sound_server_pid" 2>/dev/null || true
    sound_server_pid=""
}

record_sink() {
    parec --device=game.monitor --format=s16le --rate=44100 --channels=2 --raw --latency-msec=5 >"$1" &
    recorder=$!
}
