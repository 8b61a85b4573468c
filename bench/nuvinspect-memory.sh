#!/usr/bin/env bash
# nuvinspect on large documents, its output counted and dropped, alternating the sizes over several runs after one
# untimed run of each; prints median, min and max and exits non-zero when a target is missed.
# - inspect --all on the shared-member documents of 10,000 and 20,000 unit functions (see GeneratedLogicDocument.h;
#   bench_InspectionPaneBench writes them): the peak memory (target at most 2 GB at 20,000) and the time. The larger
#   run writes about 3.4 times the lines of the smaller; perDoubleLines is the time ratio as if the lines had doubled
#   (target at most 2.2).
# - conditions --all on an origin calling 2,000 and 4,000 unit functions of one Do each, whose list grows with the
#   square of the unit functions: the peak memory against the text written (target at most 3 at both sizes), the
#   time, and perDoubleText, the time ratio as if the text had doubled (target at most 2.2). A run that ends with a
#   failure status misses.
# Builds nothing: run after the build (Google Benchmark installed) has made nuvinspect and the bench programs.
#   bench/nuvinspect-memory.sh [build dir] [runs]
set -euo pipefail

BUILD_DIR=$(realpath "${1:-build}")
RUNS=${2:-5}
NUVINSPECT="$BUILD_DIR/nuvinspect"
PANE_BENCH="$BUILD_DIR/bench_InspectionPaneBench"
source "$(dirname "$0")/timing.sh"
require_programs "$NUVINSPECT" "$PANE_BENCH"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in 10000 20000; do
    XDG_RUNTIME_DIR="$work" "$PANE_BENCH" --write-shared-member-document "$work/shared$size.nuv" "$size"
done
for size in 2000 4000; do
    XDG_RUNTIME_DIR="$work" "$PANE_BENCH" --write-fan-out-document "$work/fan$size.nuv" "$size"
done

# One run of nuvinspect with the given arguments: "seconds peak-KB lines bytes status".
run() {
    local status=0
    env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$work" /usr/bin/time -o "$work/time" -f '%e %M' \
        "$NUVINSPECT" "$@" >"$work/out" 2>/dev/null || status=$?
    echo "$(tail -1 "$work/time") $(wc -l <"$work/out") $(wc -c <"$work/out") $status"
}

median_of() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Runs the two argument lists in turns, RUNS times, into the arrays small and large.
turns() {
    local -a smallArguments largeArguments
    read -r -a smallArguments <<<"$1"
    read -r -a largeArguments <<<"$2"
    run "${smallArguments[@]}" >/dev/null
    run "${largeArguments[@]}" >/dev/null
    small=()
    large=()
    for ((i = 0; i < RUNS; i++)); do
        if ((i % 2)); then
            large+=("$(run "${largeArguments[@]}")")
            small+=("$(run "${smallArguments[@]}")")
        else
            small+=("$(run "${smallArguments[@]}")")
            large+=("$(run "${largeArguments[@]}")")
        fi
    done
}

# The time ratios large / small of the turns, one a line.
time_ratios() {
    for ((i = 0; i < RUNS; i++)); do
        awk -v a="$(field 1 "${small[i]}")" -v b="$(field 1 "${large[i]}")" 'BEGIN { print b / a }'
    done
}

# The time ratio as if the measure (lines or bytes) had grown from s to l by doubling.
per_double() { awk -v s="$1" -v l="$2" '{ print exp(log(2) * log($1) / log(l / s)) }'; }

failed=0

echo "== nuvinspect inspect --all, shared members"
turns "inspect $work/shared10000.nuv --all" "inspect $work/shared20000.nuv --all"
small_lines=$(field 3 "${small[0]}")
large_lines=$(field 3 "${large[0]}")
echo "lines: 10,000 functions $small_lines, 20,000 functions $large_lines"
field 1 "${small[@]}" | summary "seconds at 10,000"
field 1 "${large[@]}" | summary "seconds at 20,000"
field 2 "${small[@]}" | awk '{ print $1 / 1024 }' | summary "peak MB at 10,000"
field 2 "${large[@]}" | awk '{ print $1 / 1024 }' | summary "peak MB at 20,000"
time_ratios | summary "time ratio 20,000 / 10,000"
time_ratios | per_double "$small_lines" "$large_lines" | summary "perDoubleLines"
peak=$(field 2 "${large[@]}" | sort -n | tail -1)
awk -v p="$peak" 'BEGIN { exit !(p <= 2 * 1024 * 1024) }' || { echo "peak at 20,000 over 2 GB: MISSED"; failed=1; }
median_double=$(time_ratios | per_double "$small_lines" "$large_lines" | median_of)
awk -v r="$median_double" 'BEGIN { exit !(r <= 2.2) }' || { echo "perDoubleLines over 2.2: MISSED"; failed=1; }

echo "== nuvinspect conditions --all, an origin calling unit functions of one Do each"
turns "conditions $work/fan2000.nuv --all" "conditions $work/fan4000.nuv --all"
small_bytes=$(field 4 "${small[0]}")
large_bytes=$(field 4 "${large[0]}")
echo "text: 2,000 functions $(awk -v b="$small_bytes" 'BEGIN { printf "%.1f", b / 1048576 }') MB," \
    "4,000 functions $(awk -v b="$large_bytes" 'BEGIN { printf "%.1f", b / 1048576 }') MB"
field 5 "${small[@]}" "${large[@]}" | grep -qv '^0$' && { echo "a run ended with a failure status: MISSED"; failed=1; }
field 1 "${small[@]}" | summary "seconds at 2,000"
field 1 "${large[@]}" | summary "seconds at 4,000"
field 2 "${small[@]}" | awk '{ print $1 / 1024 }' | summary "peak MB at 2,000"
field 2 "${large[@]}" | awk '{ print $1 / 1024 }' | summary "peak MB at 4,000"
field 2 "${small[@]}" | awk -v b="$small_bytes" '{ print $1 * 1024 / b }' | summary "peak / text at 2,000"
field 2 "${large[@]}" | awk -v b="$large_bytes" '{ print $1 * 1024 / b }' | summary "peak / text at 4,000"
time_ratios | summary "time ratio 4,000 / 2,000"
time_ratios | per_double "$small_bytes" "$large_bytes" | summary "perDoubleText"
worst=$( (field 2 "${small[@]}" | awk -v b="$small_bytes" '{ print $1 * 1024 / b }'
    field 2 "${large[@]}" | awk -v b="$large_bytes" '{ print $1 * 1024 / b }') | sort -n | tail -1)
awk -v r="$worst" 'BEGIN { exit !(r <= 3) }' || { echo "peak over 3 times the text: MISSED"; failed=1; }
median_double=$(time_ratios | per_double "$small_bytes" "$large_bytes" | median_of)
awk -v r="$median_double" 'BEGIN { exit !(r <= 2.2) }' || { echo "perDoubleText over 2.2: MISSED"; failed=1; }
exit $failed
