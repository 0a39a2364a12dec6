#!/usr/bin/env bash
# Peak memory and time of plumfizz-par --model on files that are not models:
# /dev/zero, a FIFO fed from /dev/zero, a 1 GiB file of NUL bytes (sparse, so
# it takes no disk), a 300 MB comment line and 50 MB of empty lines. A reader
# that keeps only a bounded line stays at the same few MB for each.
#
#   bench/par-model-memory.sh TOOL [TOOL...]   e.g. bench/par-model-memory.sh build/plumfizz-par
#   LIMIT_S=20 CAP_MB=3072 bench/par-model-memory.sh ...
#
# Each run is stopped after LIMIT_S seconds and may use at most CAP_MB of
# address space (a reader that reads without end would otherwise take the
# machine's memory); such a run is shown with its exit status and the peak it
# reached. Give an older build as a second tool to compare before and after.
# Needs /usr/bin/time (Debian package time).
set -euo pipefail

[ $# -ge 1 ] || { echo "usage: bench/par-model-memory.sh TOOL [TOOL...]" >&2; exit 2; }
limit=${LIMIT_S:-20}
cap_mb=${CAP_MB:-3072}
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (apt-get install time)" >&2; exit 2; }

work=$(mktemp -d)
feeder=
cleanup() {
    [ -n "$feeder" ] && kill "$feeder" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

truncate -s 1G "$work/nul-1GiB"
{ printf '# '; head -c 300000000 /dev/zero | tr '\0' 'x'; printf '\n'; } > "$work/comment-300MB"
head -c 50000000 /dev/zero | tr '\0' '\n' > "$work/newlines-50MB"
mkfifo "$work/fifo"

# One run: peak resident set, wall time, exit status and the first line of its error.
measure() {
    local tool=$1 name=$2 file=$3
    local status=0
    ( ulimit -v $((cap_mb * 1024)); exec timeout "$limit" /usr/bin/time -v -o "$work/time" \
        "$tool" --model "$file" --no-sweep ) > /dev/null 2> "$work/err" || status=$?
    local peak wall said
    peak=$(awk -F': ' '/Maximum resident set size/ { printf "%.1f", $2 / 1024 }' "$work/time" 2>/dev/null || true)
    wall=$(awk -F': ' '/Elapsed \(wall clock\)/ { print $2 }' "$work/time" 2>/dev/null || true)
    said=$(grep -v '^Command\|^	' "$work/err" | head -n 1 | cut -c1-110)
    [ -n "$peak" ] || { peak="? (stopped)"; wall=">= ${limit} s"; }
    printf '  %-16s exit %3s  peak %8s MB  wall %-8s %s\n' "$name" "$status" "$peak" "$wall" "$said"
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
for tool in "$@"; do
    [ -x "$tool" ] || { echo "$tool: not an executable" >&2; exit 2; }
    echo "$tool (at most ${limit} s and ${cap_mb} MB a run):"
    measure "$tool" /dev/zero /dev/zero
    cat /dev/zero > "$work/fifo" 2>/dev/null &
    feeder=$!
    measure "$tool" "FIFO of zeros" "$work/fifo"
    kill "$feeder" 2>/dev/null || true
    wait "$feeder" 2>/dev/null || true
    feeder=
    measure "$tool" "1 GiB of NULs" "$work/nul-1GiB"
    measure "$tool" "300 MB comment" "$work/comment-300MB"
    measure "$tool" "50 MB newlines" "$work/newlines-50MB"
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
