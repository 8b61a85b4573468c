#!/usr/bin/env bash
# Times nuv against two baselines, alternating the sides over several runs after one untimed run of each:
#   open: nuv opening the 20,000-function document of bench_DocumentFileBench until its main window shows,
#         against a process that only loads that document with the same library call (bench_DocumentFileBench
#         --load); target at most 2x.
#   new:  nuv starting on a new document until its main window shows, against a bare Qt application showing a
#         QMainWindow with as many docks and menu items, taken from the command table (bench_BareMainWindow);
#         target at most 3x.
# nuv ends through its exit command, run once the window shows. Prints the medians, the ratios and the peak
# memory of the open; exits non-zero when a ratio misses its target. Builds nothing: run after the build
# (Google Benchmark installed) has made nuv and the bench programs.
#   bench/nuv-open.sh [build dir] [runs]
set -euo pipefail

BUILD_DIR=$(realpath "${1:-build}")
RUNS=${2:-9}
FUNCTIONS=${FUNCTIONS:-20000}
NUV="$BUILD_DIR/nuv"
DOCUMENT_BENCH="$BUILD_DIR/bench_DocumentFileBench"
BARE_WINDOW="$BUILD_DIR/bench_BareMainWindow"
for program in "$NUV" "$DOCUMENT_BENCH" "$BARE_WINDOW"; do
    [ -x "$program" ] || { echo "$program not built" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime" "$work/config"
document="$work/bench.nuv"
"$DOCUMENT_BENCH" --write "$document" "$FUNCTIONS"
echo "document: $FUNCTIONS unit functions, $(du -k "$document" | cut -f1) KB"

# Every program runs offscreen with settings and runtime files of its own; measure, when set, prefixes it.
measure=()
run() {
    "${measure[@]}" env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime" \
        XDG_CONFIG_HOME="$work/config" NUV_RUN_COMMANDS=57665 "$@" >/dev/null 2>"$work/stderr" ||
        { echo "failed: $* ($(head -c 300 "$work/stderr"))" >&2; exit 1; }
}
run_nuv_open() { run "$NUV" "$document"; }
run_load() { run "$DOCUMENT_BENCH" --load "$document"; }
run_nuv_new() { run "$NUV"; }
run_bare_window() { run "$BARE_WINDOW"; }

source "$(dirname "$0")/timing.sh"

# Times side a and side b alternately, each first in turn; prints both medians and checks their ratio.
failed=0
compare() {
    local label=$1 a=$2 b=$3 target=$4 i
    local a_times=() b_times=()
    "$a"
    "$b"
    for ((i = 0; i < RUNS; i++)); do
        if ((i % 2)); then
            b_times+=("$(elapsed_ms "$b")")
            a_times+=("$(elapsed_ms "$a")")
        else
            a_times+=("$(elapsed_ms "$a")")
            b_times+=("$(elapsed_ms "$b")")
        fi
    done
    local a_median b_median
    a_median=$(printf '%s\n' "${a_times[@]}" | median)
    b_median=$(printf '%s\n' "${b_times[@]}" | median)
    printf '%-16s %s ms, median %s ms\n' "${a#run_}:" "${a_times[*]}" "$a_median"
    printf '%-16s %s ms, median %s ms\n' "${b#run_}:" "${b_times[*]}" "$b_median"
    awk -v a="$a_median" -v b="$b_median" -v t="$target" -v l="$label" 'BEGIN {
        r = a / b
        printf "ratio %s: %.2f (target at most %s): %s\n", l, r, t, r <= t ? "met" : "MISSED"
        exit !(r <= t)
    }' || failed=1
}
compare "open / load" run_nuv_open run_load 2
compare "new / bare window" run_nuv_new run_bare_window 3

# The peak of the load alone shows what the window adds.
if [ -x /usr/bin/time ]; then
    for side in run_nuv_open run_load; do
        measure=(/usr/bin/time -o "$work/peak" -f '%M')
        "$side"
        echo "peak memory ${side#run_}: $(($(tail -1 "$work/peak") / 1024)) MB ($(tail -1 "$work/peak") KB)"
    done
else
    echo "peak memory: /usr/bin/time missing (package time)"
fi
exit $failed
