#!/usr/bin/env bash
# Large inputs, each pair measured in turns in one process: the similar-word detection over 5,000 and 10,000 distinct
# member names, the comparison of one unit function of 4,000 and 8,000 lines with every line changed and of 32,000
# and 64,000 lines with one line in ten changed, the merged decision table of two chains whose paths double (2^15 and
# 2^16 paths to the last action; the calls on both branches of an if, and two calls one after the other), and of a
# switch of 20,000 and 40,000 cases that all take one action, each at N and 2N (2N/N of time and of peak memory against
# their targets; for the chains also the peak memory a path, target at most 1 KB). The traceability import under long
# column names: 16,000 and 32,000 rows of ten marks under names of 1,000 characters, every row changed (2N/N at most
# 2.2); 20,000 such rows under names of 10 and of 1,000 characters, no row changed (a name is read once, not for every
# mark: the long names within 1.3 times the time and 1.2 times the memory of the short) and every row changed (the
# pane then lists each row with its names: no target); and 20,000 rows marking one column whose name has 10 and 100,000
# characters, no row changed (each row's name is still compared with the unit function's own: within 6 times the
# time, 1.2 times the memory). Prints for each the times and peak memory of both (and their inputs where measured) and
# the second/first ratios of time and of peak memory (median, min, max) against their targets; exits non-zero when a
# target is missed. Builds nothing: run after the build (Google Benchmark installed) has made the bench programs.
# Takes about five minutes.
#   bench/large-inputs.sh [build dir]
set -euo pipefail

BUILD_DIR=$(realpath "${1:-build}")
for program in bench_SearchBench bench_CompareBench bench_GeneratorBench; do
    [ -x "$BUILD_DIR/$program" ] || { echo "$BUILD_DIR/$program not built" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# program filter time-target memory-target
cases=(
    "bench_SearchBench BM_SimilarDistinctNamesRatio 4.4 2.2"
    "bench_CompareBench BM_CompareLinesRatio/4000/1 - 2.2"
    "bench_CompareBench BM_CompareLinesRatio/32000/10 2.5 2.2"
    "bench_GeneratorBench BM_DecisionTableChainRatio 2.2 2.2"
    "bench_GeneratorBench BM_DecisionTableSequentialChainRatio 2.2 2.2"
    "bench_GeneratorBench BM_DecisionTableWideSwitchRatio 2.2 2.2"
    "bench_GeneratorBench BM_TraceabilityImportLongNamesRatio/16000/ 2.2 2.2"
    "bench_GeneratorBench BM_TraceabilityImportNameLengthRatio/20000/0/ 1.3 1.2"
    "bench_GeneratorBench BM_TraceabilityImportNameLengthRatio/20000/1/ - -"
    "bench_GeneratorBench BM_TraceabilityImportOneLongNameRatio/20000/ 6 1.2"
)
missed=0
for line in "${cases[@]}"; do
    read -r program filter timeTarget memoryTarget <<<"$line"
    (cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$work" "$BUILD_DIR/$program" \
        --benchmark_filter="$filter" --benchmark_format=json >"$work/out.json" 2>/dev/null)
    python3 - "$work/out.json" "$filter" "$timeTarget" "$memoryTarget" <<'PY' || missed=$((missed + 1))
import json, sys
path, name, time_target, memory_target = sys.argv[1:]
result = json.load(open(path))["benchmarks"][0]
def verdict(value, target):
    if target == "-":
        return "", True
    return f" (target <= {target}: {'met' if value <= float(target) else 'missed'})", value <= float(target)
time_text, time_ok = verdict(result["ratio"], time_target)
memory_text, memory_ok = verdict(result["memoryRatio"], memory_target)
def inputs(size):
    key = f"{size}InputMB"
    return f" (input {result[key]:.2f} MB)" if key in result else ""
print(f"{name.rstrip('/')}: first {result['smallMs']:.0f} ms {result['smallMB']:.1f} MB{inputs('small')}, "
      f"second {result['largeMs']:.0f} ms {result['largeMB']:.1f} MB{inputs('large')}")
print(f"  time second/first median {result['ratio']:.2f} min {result['ratioMin']:.2f} max {result['ratioMax']:.2f}"
      f"{time_text}")
print(f"  peak memory second/first median {result['memoryRatio']:.2f} min {result['memoryRatioMin']:.2f} "
      f"max {result['memoryRatioMax']:.2f}{memory_text}")
path_ok = True
if "largeKBPerPath" in result:
    path_text, path_ok = verdict(result["largeKBPerPath"], "1")
    print(f"  peak memory a path at 2N {result['largeKBPerPath']:.2f} KB{path_text}")
sys.exit(0 if time_ok and memory_ok and path_ok else 1)
PY
done
exit "$missed"
