#!/usr/bin/env bash
# nuvinspect inspect --all on the shared-member documents of 10,000 and 20,000 unit functions (see
# GeneratedLogicDocument.h; bench_InspectionPaneBench writes them), its output counted and dropped: the peak
# memory (target at most 2 GB at 20,000) and the time, alternating the sizes over several runs after one untimed
# run of each. The larger run writes about 3.4 times the lines of the smaller; perDoubleLines is the time ratio as
# if the lines had doubled (target at most 2.2). Prints median, min and max; exits non-zero when a target is
# missed. Builds nothing: run after the build (Google Benchmark installed) has made nuvinspect and the bench
# programs.
#   bench/nuvinspect-memory.sh [build dir] [runs]
set -euo pipefail

BUILD_DIR=$(realpath "${1:-build}")
RUNS=${2:-5}
NUVINSPECT="$BUILD_DIR/nuvinspect"
PANE_BENCH="$BUILD_DIR/bench_InspectionPaneBench"
for program in "$NUVINSPECT" "$PANE_BENCH"; do
    [ -x "$program" ] || { echo "$program not built" >&2; exit 1; }
done
[ -x /usr/bin/time ] || { echo "/usr/bin/time missing (package time)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in 10000 20000; do
    XDG_RUNTIME_DIR="$work" "$PANE_BENCH" --write-shared-member-document "$work/$size.nuv" "$size"
done

# One run: "seconds peak-KB lines".
run() {
    local lines
    lines=$(env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$work" /usr/bin/time -o "$work/time" -f '%e %M' \
        "$NUVINSPECT" inspect "$work/$1.nuv" --all 2>/dev/null | wc -l)
    echo "$(tail -1 "$work/time") $lines"
}

source "$(dirname "$0")/timing.sh"

summary() { # label, values one a line
    local sorted
    sorted=$(sort -n)
    echo "$1: median $(median <<<"$sorted"), min $(head -1 <<<"$sorted"), max $(tail -1 <<<"$sorted")"
}

run 10000 >/dev/null
run 20000 >/dev/null
small=()
large=()
for ((i = 0; i < RUNS; i++)); do
    if ((i % 2)); then
        large+=("$(run 20000)")
        small+=("$(run 10000)")
    else
        small+=("$(run 10000)")
        large+=("$(run 20000)")
    fi
done

field() { local n=$1; shift; printf '%s\n' "$@" | awk -v n="$n" '{ print $n }'; }
small_lines=$(field 3 "${small[0]}")
large_lines=$(field 3 "${large[0]}")
echo "lines: 10,000 functions $small_lines, 20,000 functions $large_lines"
field 1 "${small[@]}" | summary "seconds at 10,000"
field 1 "${large[@]}" | summary "seconds at 20,000"
field 2 "${small[@]}" | awk '{ print $1 / 1024 }' | summary "peak MB at 10,000"
field 2 "${large[@]}" | awk '{ print $1 / 1024 }' | summary "peak MB at 20,000"
ratios=()
for ((i = 0; i < RUNS; i++)); do
    ratios+=("$(awk -v a="$(field 1 "${small[i]}")" -v b="$(field 1 "${large[i]}")" 'BEGIN { print b / a }')")
done
printf '%s\n' "${ratios[@]}" | summary "time ratio 20,000 / 10,000"
printf '%s\n' "${ratios[@]}" | awk -v s="$small_lines" -v l="$large_lines" \
    '{ print exp(log(2) * log($1) / log(l / s)) }' | summary "perDoubleLines"

failed=0
peak=$(field 2 "${large[@]}" | sort -n | tail -1)
awk -v p="$peak" 'BEGIN { exit !(p <= 2 * 1024 * 1024) }' || { echo "peak at 20,000 over 2 GB: MISSED"; failed=1; }
median_ratio=$(printf '%s\n' "${ratios[@]}" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
awk -v r="$median_ratio" -v s="$small_lines" -v l="$large_lines" \
    'BEGIN { exit !(exp(log(2) * log(r) / log(l / s)) <= 2.2) }' || { echo "perDoubleLines over 2.2: MISSED"; failed=1; }
exit $failed
