#!/usr/bin/env bash
# The traceability import under long column names, each pair measured in turns in one process: 16,000 and 32,000 rows
# of ten marks under names of 1,000 characters, every row changed (2N/N of time and of peak memory at most 2.2); 20,000
# such rows under names of 10 and of 1,000 characters, no row changed (a name is read once, not for every mark: the
# long names within 1.3 times the time and 1.2 times the memory of the short) and every row changed (the pane then
# lists each row with its names: no target); and 20,000 rows marking one column whose name has 10 and 100,000
# characters, no row changed (each row's name is still compared with the unit function's own: within 6 times the
# time, 1.2 times the memory). Prints the times, peaks and inputs of both and the ratios (median, min, max) against
# the targets; exits non-zero when one is missed. Builds nothing: run after the build has made bench_GeneratorBench.
# Takes about half a minute.
#   bench/trace-import-names.sh [build dir]
set -euo pipefail

BUILD_DIR=$(realpath "${1:-build}")
[ -x "$BUILD_DIR/bench_GeneratorBench" ] || { echo "$BUILD_DIR/bench_GeneratorBench not built" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# filter time-target memory-target
cases=(
    "BM_TraceabilityImportLongNamesRatio/16000/ 2.2 2.2"
    "BM_TraceabilityImportNameLengthRatio/20000/0/ 1.3 1.2"
    "BM_TraceabilityImportNameLengthRatio/20000/1/ - -"
    "BM_TraceabilityImportOneLongNameRatio/20000/ 6 1.2"
)
missed=0
for line in "${cases[@]}"; do
    read -r filter timeTarget memoryTarget <<<"$line"
    (cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$work" "$BUILD_DIR/bench_GeneratorBench" \
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
print(f"{name.rstrip('/')}: first {result['smallMs']:.0f} ms {result['smallMB']:.1f} MB "
      f"(input {result['smallInputMB']:.2f} MB), second {result['largeMs']:.0f} ms {result['largeMB']:.1f} MB "
      f"(input {result['largeInputMB']:.2f} MB)")
print(f"  time second/first median {result['ratio']:.2f} min {result['ratioMin']:.2f} max {result['ratioMax']:.2f}"
      f"{time_text}")
print(f"  peak memory second/first median {result['memoryRatio']:.2f} min {result['memoryRatioMin']:.2f} "
      f"max {result['memoryRatioMax']:.2f}{memory_text}")
sys.exit(0 if time_ok and memory_ok else 1)
PY
done
exit "$missed"
