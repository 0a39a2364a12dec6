#!/usr/bin/env bash
# Speed of plumfizz-par's default simulation: spins per CPU second of one
# thread, and how much faster two streams on two threads finish than one.
#
#   bench/par-speed.sh TOOL [TOOL...]    e.g. bench/par-speed.sh build/plumfizz-par
#   SPINS=100000000 RUNS=3 bench/par-speed.sh ...
#
# For each tool: the median of RUNS runs of --simulate SPINS --bet 5 --seed 42
# as spins per CPU second (user + system time), then, where the tool has
# --threads, the median wall time of --threads 1 and --threads 2 and their
# ratio. Give an older build as a second tool to compare before and after.
# Other work on the machine moves the figures: the load average is printed
# before and after, and figures taken under load are not worth much.
set -euo pipefail

[ $# -ge 1 ] || { echo "usage: bench/par-speed.sh TOOL [TOOL...]" >&2; exit 2; }
spins=${SPINS:-100000000}
runs=${RUNS:-3}

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Prints "cpu_seconds wall_seconds" of one run.
timed() {
    local TIMEFORMAT='%3U %3S %3R'
    local t
    t=$({ time "$@" > /dev/null; } 2>&1)
    awk '{ printf "%.3f %.3f\n", $1 + $2, $3 }' <<< "$t"
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
for tool in "$@"; do
    [ -x "$tool" ] || { echo "$tool: not an executable" >&2; exit 2; }
    cpu=()
    for _ in $(seq "$runs"); do cpu+=("$(timed "$tool" --simulate "$spins" --bet 5 --seed 42 | cut -d' ' -f1)"); done
    per_cpu=$(printf '%s\n' "${cpu[@]}" | median)
    rate=$(awk -v n="$spins" -v s="$per_cpu" 'BEGIN { printf "%.1f", n / s / 1e6 }')
    line="$tool: $rate million spins per CPU second (median of $runs, CPU seconds: ${cpu[*]})"
    if "$tool" --simulate 1 --bet 5 --seed 1 --threads 1 > /dev/null 2>&1; then
        one=(); two=()
        for _ in $(seq "$runs"); do
            one+=("$(timed "$tool" --simulate "$spins" --bet 5 --seed 42 --threads 1 | cut -d' ' -f2)")
            two+=("$(timed "$tool" --simulate "$spins" --bet 5 --seed 42 --threads 2 | cut -d' ' -f2)")
        done
        w1=$(printf '%s\n' "${one[@]}" | median)
        w2=$(printf '%s\n' "${two[@]}" | median)
        ratio=$(awk -v a="$w1" -v b="$w2" 'BEGIN { printf "%.2f", a / b }')
        line+="; wall seconds --threads 1: $w1, --threads 2: $w2, speed-up ${ratio}x"
    else
        line+="; no --threads"
    fi
    echo "$line"
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
