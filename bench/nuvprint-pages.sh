#!/usr/bin/env bash
# nuvprint functions --all on generated documents of N and 2N unit functions (default 2,000 and 4,000; see
# GeneratedLogicDocument.h; bench_PrintBench writes them), every page printed: alternating the sizes over several
# runs after one untimed run of each. Prints the pages of each size, the time and peak memory of each (median, min,
# max) and the 2N/N ratios of time and of peak memory; exits non-zero when a run fails, when the larger printout has
# fewer than 1.9 times the pages of the smaller (a printout cut short) or a median ratio of time or of peak memory is
# above 2.2. Builds nothing: run after the build (Google Benchmark installed) has made nuvprint and bench_PrintBench.
#   bench/nuvprint-pages.sh [build dir] [runs] [N]
set -euo pipefail

BUILD_DIR=$(realpath "${1:-build}")
RUNS=${2:-5}
N=${3:-2000}
NUVPRINT="$BUILD_DIR/nuvprint"
PRINT_BENCH="$BUILD_DIR/bench_PrintBench"
source "$(dirname "$0")/timing.sh"
require_programs "$NUVPRINT" "$PRINT_BENCH"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in "$N" $((2 * N)); do
    XDG_RUNTIME_DIR="$work" "$PRINT_BENCH" --write-generated-document "$work/generated$size.nuv" "$size"
done

# One printout of the document of that size: "seconds peak-KB pages status".
run() {
    local status=0
    env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$work" /usr/bin/time -o "$work/time" -f '%e %M' \
        "$NUVPRINT" functions "$work/generated$1.nuv" "$work/out.pdf" --all >"$work/out" 2>/dev/null || status=$?
    echo "$(tail -1 "$work/time") $(awk '{ print $1 }' "$work/out") $status"
}


run "$N" >/dev/null
run $((2 * N)) >/dev/null
small=()
large=()
for ((i = 0; i < RUNS; i++)); do
    if ((i % 2)); then
        large+=("$(run $((2 * N)))")
        small+=("$(run "$N")")
    else
        small+=("$(run "$N")")
        large+=("$(run $((2 * N)))")
    fi
done

# The ratios large / small of field n of the turns, one a line.
ratios() {
    for ((i = 0; i < RUNS; i++)); do
        awk -v a="$(field "$1" "${small[i]}")" -v b="$(field "$1" "${large[i]}")" 'BEGIN { print b / a }'
    done
}

failed=0
field 4 "${small[@]}" "${large[@]}" | grep -qv '^0$' && { echo "a run ended with a failure status: MISSED"; failed=1; }
small_pages=$(field 3 "${small[0]}")
large_pages=$(field 3 "${large[0]}")
echo "== nuvprint functions --all, every page printed"
echo "pages: $N functions $small_pages, $((2 * N)) functions $large_pages"
field 1 "${small[@]}" | summary "seconds at $N"
field 1 "${large[@]}" | summary "seconds at $((2 * N))"
field 2 "${small[@]}" | awk '{ print $1 / 1024 }' | summary "peak MB at $N"
field 2 "${large[@]}" | awk '{ print $1 / 1024 }' | summary "peak MB at $((2 * N))"
ratios 1 | summary "time ratio"
ratios 2 | summary "peak memory ratio"
awk -v s="$small_pages" -v l="$large_pages" 'BEGIN { exit !(l >= 1.9 * s) }' ||
    { echo "pages at $((2 * N)) under 1.9 times those at $N: MISSED"; failed=1; }
awk -v r="$(ratios 1 | median)" 'BEGIN { exit !(r <= 2.2) }' || { echo "time ratio over 2.2: MISSED"; failed=1; }
awk -v r="$(ratios 2 | median)" 'BEGIN { exit !(r <= 2.2) }' || { echo "peak memory ratio over 2.2: MISSED"; failed=1; }
exit $failed
