#!/usr/bin/env bash
# Each path that runs threads, on generated documents of 10,000 and 20,000 unit functions (see
# GeneratedLogicDocument.h; bench_PrintBench writes them), without a memory limit, under an address-space limit
# (ulimit -v) and under a data limit (ulimit -d) of LIMIT_KB (2,000,000 by default), the three alternating over several
# runs after one untimed run of each: nuvsearch similar and find, nuvdump --resave, nuvdump --compare (against a copy
# with a word replaced in every unit function), nuvinspect inspect --all and nuv opening the document until its main
# window shows (its exit command run then, as bench/nuv-open.sh does). Prints the median time of each and the ratios
# limited / unlimited; exits non-zero when a run fails or a ratio is above 1.2. Builds nothing: run after the build
# (Google Benchmark installed) has made the programs and bench_PrintBench.
#   bench/memory-limits.sh [build dir] [runs]
set -euo pipefail

BUILD_DIR=$(realpath "${1:-build}")
RUNS=${2:-7}
LIMIT_KB=${LIMIT_KB:-2000000}
TARGET=1.2
source "$(dirname "$0")/timing.sh"
require_programs "$BUILD_DIR/nuv" "$BUILD_DIR/nuvsearch" "$BUILD_DIR/nuvdump" "$BUILD_DIR/nuvinspect" \
    "$BUILD_DIR/bench_PrintBench"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime" "$work/config"
export XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" HOME="$work"
unset DISPLAY WAYLAND_DISPLAY

# One run of the command under the limit named (none, v or d); output dropped, a failure stops the script.
limit=none
run() {
    (
        [ "$limit" = none ] || ulimit "-$limit" "$LIMIT_KB"
        QT_QPA_PLATFORM=offscreen NUV_RUN_COMMANDS=57665 "$@" >/dev/null 2>"$work/stderr"
    ) || { echo "failed under limit $limit: $* ($(head -c 300 "$work/stderr"))" >&2; exit 1; }
}

failed=0
for size in 10000 20000; do
    doc="$work/generated$size.nuv"
    "$BUILD_DIR/bench_PrintBench" --write-generated-document "$doc" "$size"
    "$BUILD_DIR/nuvsearch" replace "$doc" --text high --with higher --in logic -o "$work/changed$size.nuv" >/dev/null
    echo "== $size unit functions ($(du -k "$doc" | cut -f1) KB); limits of $LIMIT_KB KB"
    paths=(
        "similar|$BUILD_DIR/nuvsearch similar $doc"
        "find|$BUILD_DIR/nuvsearch find $doc --text M1"
        "resave|$BUILD_DIR/nuvdump --resave $doc $work/resaved.nuv"
        "compare|$BUILD_DIR/nuvdump --compare $doc $work/changed$size.nuv"
        "inspection|$BUILD_DIR/nuvinspect inspect $doc --all"
        "open|$BUILD_DIR/nuv $doc"
    )
    for entry in "${paths[@]}"; do
        label=${entry%%|*}
        read -r -a command <<<"${entry#*|}"
        declare -A times=([none]="" [v]="" [d]="")
        for limit in none v d; do
            run "${command[@]}"
        done
        # Each turn starts with another of the three.
        for ((i = 0; i < RUNS; i++)); do
            order=(none v d none v)
            for limit in "${order[@]:i%3:3}"; do
                times[$limit]+="$(elapsed_ms run "${command[@]}") "
            done
        done
        none=$(printf '%s\n' ${times[none]} | median)
        v=$(printf '%s\n' ${times[v]} | median)
        d=$(printf '%s\n' ${times[d]} | median)
        awk -v l="$label" -v n="$none" -v v="$v" -v d="$d" -v t="$TARGET" 'BEGIN {
            rv = v / n; rd = d / n
            printf "%-11s none %8.1f ms  -v %8.1f ms (%.2f)  -d %8.1f ms (%.2f)  target <= %s: %s\n", l, n, v, rv, d,
                   rd, t, rv <= t && rd <= t ? "met" : "MISSED"
            exit !(rv <= t && rd <= t)
        }' || failed=1
    done
done
exit $failed
