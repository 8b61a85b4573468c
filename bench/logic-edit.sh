#!/usr/bin/env bash
# The logic editor's line commands at N and 2N, measured by bench_LogicEditBench in one run: pasting lines after the
# first (16,000 and 32,000), deleting the first half (32,000 and 64,000 lines), pasting Fn lines of new names (16,000
# and 32,000), deleting Fn lines that are the only calls of their unit functions (16,000 and 32,000), pasting 1,000 Fn
# lines into documents of 10,000 and 20,000 unit functions, the undo of a paste of 16,000 and 32,000 lines and of the
# deletion of the first half of 32,000 and 64,000 lines, a paste of 10,000 and 20,000 lines refused for an if without
# its endif, deleting the 20,000 and 40,000 Fn lines of a unit function that calls each of 10,000 and 20,000 unit
# functions twice, and pasting a copy of 10,000 and 20,000 Fn lines so that each unit function is called twice. Prints
# each command's 2N / N ratio of time and of peak memory (median, min, max) and its median times and peaks; exits
# non-zero when a median ratio of time is above 2.2, or one of peak memory where the larger peak reaches 4 MB (below
# that the allocator's own steps decide it), or the paste into 20,000 unit functions, the deletion of 40,000 or the
# paste of 20,000 Fn lines calling unit functions twice takes 2 s or more. Builds nothing: run after the build (Google
# Benchmark installed) has made bench_LogicEditBench.
#   bench/logic-edit.sh [build dir]
set -euo pipefail

BUILD_DIR=$(realpath "${1:-build}")
BENCH="$BUILD_DIR/bench_LogicEditBench"
[ -x "$BENCH" ] || { echo "$BENCH not built" >&2; exit 1; }

output=$(env -u DISPLAY -u WAYLAND_DISPLAY "$BENCH" --benchmark_filter='Ratio' --benchmark_format=console 2>/dev/null)

# The value of a counter on a benchmark's line.
counter() { # line, name
    sed -n "s/.* $2=\([0-9.e+-]*k\{0,1\}\).*/\1/p" <<<"$1" | awk '/k$/ { sub(/k$/, ""); $0 = $0 * 1000 } { print }'
}

failed=0
while IFS= read -r line; do
    name=${line%%/*}
    printf '%s: time x%.2f (min %.2f, max %.2f), %.1f ms and %.1f ms; peak memory x%.2f (min %.2f, max %.2f), %.2f MB and %.2f MB\n' \
        "${name#BM_}" "$(counter "$line" timeRatio)" "$(counter "$line" timeRatioMin)" "$(counter "$line" timeRatioMax)" \
        "$(counter "$line" smallMs)" "$(counter "$line" largeMs)" \
        "$(counter "$line" memRatio)" "$(counter "$line" memRatioMin)" "$(counter "$line" memRatioMax)" \
        "$(counter "$line" smallMB)" "$(counter "$line" largeMB)"
    if awk -v r="$(counter "$line" timeRatio)" 'BEGIN { exit !(r > 2.2) }'; then
        echo "  time ratio above 2.2" >&2
        failed=1
    fi
    if awk -v r="$(counter "$line" memRatio)" -v mb="$(counter "$line" largeMB)" 'BEGIN { exit !(r > 2.2 && mb >= 4) }'; then
        echo "  peak memory ratio above 2.2" >&2
        failed=1
    fi
    case "$name" in
    BM_PasteFnLinesIntoDocumentRatio | BM_DeleteFnLinesCalledTwiceRatio | BM_PasteFnLinesCalledTwiceRatio)
        if awk -v ms="$(counter "$line" largeMs)" 'BEGIN { exit !(ms >= 2000) }'; then
            echo "  the larger command took 2 s or more" >&2
            failed=1
        fi
        ;;
    esac
done < <(grep '^BM_' <<<"$output")
exit $failed
