#!/usr/bin/env bash
# nuvgen dtable (all unit functions) on generated documents of 2,500, 5,000 and 10,000 unit functions (see
# GeneratedLogicDocument.h; bench_PrintBench writes them), and on one of 20,000 that must finish within TIMEOUT seconds.
# Prints each run's time, peak memory and file size, and the peak memory / file size ratio, which must stay at or
# under 3. Given a "before" build, runs its nuvgen beside this one at each of the three sizes, alternating which goes
# first, checks that both write the same bytes, and prints the ratios this / before of time and of peak memory, each of
# which must stay at or under 1/3. Exits non-zero when a run fails, when the outputs differ or when a bound is missed.
# Builds nothing: run after the build (Google Benchmark installed) has made nuvgen and bench_PrintBench.
#   bench/decision-table.sh [build dir] [before build dir] [TIMEOUT]
set -euo pipefail

BUILD_DIR=$(realpath "${1:-build}")
BEFORE_DIR=${2:+$(realpath "$2")}
TIMEOUT=${3:-600}
NUVGEN="$BUILD_DIR/nuvgen"
PRINT_BENCH="$BUILD_DIR/bench_PrintBench"
source "$(dirname "$0")/timing.sh"
require_programs "$NUVGEN" "$PRINT_BENCH" ${BEFORE_DIR:+"$BEFORE_DIR/nuvgen"}

work=$(mktemp -d)
chmod 700 "$work"
trap 'rm -rf "$work"' EXIT
for size in 2500 5000 10000 20000; do
    XDG_RUNTIME_DIR="$work" "$PRINT_BENCH" --write-generated-document "$work/generated$size.nuv" "$size"
done

# One table of the document of that size by the nuvgen given, into OUT.csv: "seconds peak-KB bytes status".
run() {
    local status=0
    rm -f "$work/$3.csv"
    env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$work" timeout "$TIMEOUT" /usr/bin/time -o "$work/time" \
        -f '%e %M' "$1" dtable "$work/generated$2.nuv" -o "$work/$3.csv" >/dev/null 2>&1 || status=$?
    echo "$(tail -1 "$work/time" 2>/dev/null || echo '0 0') $(stat -c %s "$work/$3.csv" 2>/dev/null || echo 0) $status"
}

failed=0
# Checks a ratio against its bound: "label ratio bound".
bound() {
    if awk -v r="$2" -v b="$3" 'BEGIN { exit !(r <= b) }'; then
        echo "$1 $2 (bound $3)"
    else
        echo "$1 $2 over $3: MISSED"
        failed=1
    fi
}

third=$(awk 'BEGIN { print 1 / 3 }')
turn=0
echo "== nuvgen dtable, all unit functions"
for size in 2500 5000 10000 20000; do
    if [ -n "$BEFORE_DIR" ] && [ "$size" != 20000 ]; then
        if ((turn++ % 2)); then
            before=$(run "$BEFORE_DIR/nuvgen" "$size" before)
            this=$(run "$NUVGEN" "$size" this)
        else
            this=$(run "$NUVGEN" "$size" this)
            before=$(run "$BEFORE_DIR/nuvgen" "$size" before)
        fi
        echo "$size functions before: $(field 1 "$before") s, $(field 2 "$before" | awk '{ print $1 / 1024 }') MB"
        [ "$(field 4 "$before")" = 0 ] || { echo "the run before ended with status $(field 4 "$before"): MISSED"; failed=1; }
        cmp -s "$work/this.csv" "$work/before.csv" || { echo "$size functions: the outputs differ: MISSED"; failed=1; }
    else
        this=$(run "$NUVGEN" "$size" this)
    fi
    bytes=$(field 3 "$this")
    echo "$size functions: $(field 1 "$this") s, $(field 2 "$this" | awk '{ print $1 / 1024 }') MB," \
        "file $(awk -v b="$bytes" 'BEGIN { print b / 1048576 }') MB"
    [ "$(field 4 "$this")" = 0 ] || { echo "the run ended with status $(field 4 "$this"): MISSED"; failed=1; }
    bound "  peak memory / file size" "$(awk -v k="$(field 2 "$this")" -v b="$bytes" \
        'BEGIN { printf "%.2f", b ? k * 1024 / b : 99 }')" 3
    if [ -n "$BEFORE_DIR" ] && [ "$size" != 20000 ]; then
        bound "  time this / before" "$(awk -v a="$(field 1 "$this")" -v b="$(field 1 "$before")" \
            'BEGIN { printf "%.3f", b ? a / b : 99 }')" "$third"
        bound "  peak memory this / before" "$(awk -v a="$(field 2 "$this")" -v b="$(field 2 "$before")" \
            'BEGIN { printf "%.3f", b ? a / b : 99 }')" "$third"
    fi
done
exit $failed
