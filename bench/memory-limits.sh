#!/usr/bin/env bash
# Each path that runs threads, on generated documents of 10,000 and 20,000 unit functions (see
# GeneratedLogicDocument.h; bench_PrintBench writes them), without a memory limit, under an address-space limit
# (ulimit -v) and under a data limit (ulimit -d) of LIMIT_KB (2,000,000 by default), the three alternating over several
# runs after one untimed run of each: nuvsearch similar and find, nuvdump --resave, nuvdump --compare (against a copy
# with a word replaced in every unit function), nuvinspect inspect --all and nuv opening the document until its main
# window shows (its exit command run then, as bench/nuv-open.sh does). Prints the median time of each and the ratios
# limited / unlimited; a ratio above 1.2 misses.
# Then the smallest address-space limit under which the similar words, the resave, the inspection and the open work
# (end with status 0 in each of 3 runs), bisected between 0 and LIMIT_KB to 5,000 KB. Given a reference build (the
# build before a change), its programs are bisected too, taking turns with this build's at each step, on the same
# documents: a smallest limit more than one step above the reference's misses.
# Exits non-zero when a run at LIMIT_KB fails or a target is missed. Builds nothing: run after the build (Google
# Benchmark installed) has made the programs and bench_PrintBench.
#   bench/memory-limits.sh [build dir] [runs] [reference build dir]
set -euo pipefail

BUILD_DIR=$(realpath "${1:-build}")
RUNS=${2:-7}
REFERENCE_DIR=${3:+$(realpath "$3")}
LIMIT_KB=${LIMIT_KB:-2000000}
TARGET=1.2
STEP_KB=5000
TRIES=3
source "$(dirname "$0")/timing.sh"
builds=("$BUILD_DIR" ${REFERENCE_DIR:+"$REFERENCE_DIR"})
for build in "${builds[@]}"; do
    require_programs "$build/nuv" "$build/nuvsearch" "$build/nuvdump" "$build/nuvinspect"
done
require_programs "$BUILD_DIR/bench_PrintBench"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime" "$work/config"
export XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" HOME="$work"
unset DISPLAY WAYLAND_DISPLAY

# Whether the command ends with status 0 under the limit named (none, v or d) of the KB given; output dropped, standard
# error kept in $work/stderr.
attempt() {
    local kind=$1 kb=$2
    shift 2
    (
        [ "$kind" = none ] || ulimit "-$kind" "$kb"
        QT_QPA_PLATFORM=offscreen NUV_RUN_COMMANDS=57665 "$@" >/dev/null 2>"$work/stderr"
    )
}

# One run of the command under the limit named in $limit, of LIMIT_KB; a failure stops the script.
limit=none
run() {
    attempt "$limit" "$LIMIT_KB" "$@" ||
        { echo "failed under limit $limit: $* ($(head -c 300 "$work/stderr"))" >&2; exit 1; }
}

# Whether the command works under an address-space limit of the KB given: status 0 in each of TRIES runs.
works() {
    local kb=$1 try
    shift
    for ((try = 0; try < TRIES; try++)); do
        attempt v "$kb" "$@" || return 1
    done
}

# The smallest address-space limit in KB under which the program named works with the arguments given, for each
# build in turn, bisected in lockstep.
smallest_limits() {
    local program=$1 b middle more=1
    shift
    local -a low=() high=()
    for b in "${!builds[@]}"; do
        low[b]=0
        high[b]=$LIMIT_KB
    done
    while ((more)); do
        more=0
        for b in "${!builds[@]}"; do
            ((high[b] - low[b] > STEP_KB)) || continue
            more=1
            middle=$(((low[b] + high[b]) / 2))
            if works "$middle" "${builds[b]}/$program" "$@"; then
                high[b]=$middle
            else
                low[b]=$middle
            fi
        done
    done
    echo "${high[@]}"
}

failed=0
for size in 10000 20000; do
    doc="$work/generated$size.nuv"
    "$BUILD_DIR/bench_PrintBench" --write-generated-document "$doc" "$size"
    "$BUILD_DIR/nuvsearch" replace "$doc" --text high --with higher --in logic -o "$work/changed$size.nuv" >/dev/null
    echo "== $size unit functions ($(du -k "$doc" | cut -f1) KB); limits of $LIMIT_KB KB"
    # Label, whether its smallest limit is bisected, program and arguments.
    paths=(
        "similar|bisected|nuvsearch similar $doc"
        "find||nuvsearch find $doc --text M1"
        "resave|bisected|nuvdump --resave $doc $work/resaved.nuv"
        "compare||nuvdump --compare $doc $work/changed$size.nuv"
        "inspection|bisected|nuvinspect inspect $doc --all"
        "open|bisected|nuv $doc"
    )
    bisected=()
    for entry in "${paths[@]}"; do
        IFS='|' read -r label bisect arguments <<<"$entry"
        read -r -a command <<<"$arguments"
        command[0]="$BUILD_DIR/${command[0]}"
        [ -z "$bisect" ] || bisected+=("$label|$arguments")
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
    for entry in "${bisected[@]}"; do
        IFS='|' read -r label arguments <<<"$entry"
        read -r -a command <<<"$arguments"
        read -r -a smallest <<<"$(smallest_limits "${command[@]}")"
        if [ -n "$REFERENCE_DIR" ]; then
            awk -v l="$label" -v s="${smallest[0]}" -v r="${smallest[1]}" -v step="$STEP_KB" 'BEGIN {
                printf "%-11s smallest -v %8d KB  reference %8d KB  target <= reference + %d: %s\n", l, s, r, step,
                       s <= r + step ? "met" : "MISSED"
                exit !(s <= r + step)
            }' || failed=1
        else
            printf '%-11s smallest -v %8d KB\n' "$label" "${smallest[0]}"
        fi
    done
done
exit $failed
