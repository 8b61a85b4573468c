#!/usr/bin/env bash
# Peak memory of the traceability import against its input, for files just under its 64 MiB bound: one long line,
# a short line and a long line of column names, a line of only empty columns, and a table of many short rows.
# Prints for each the input and peak in MB and their ratio against the target (at most 8 times the input); exits
# non-zero when a shape misses it. Builds nothing: run after the build has made bench_GeneratorBench. Takes about
# fifteen seconds.
#   bench/trace-import-memory.sh [build dir]
set -euo pipefail

BUILD_DIR=$(realpath "${1:-build}")
[ -x "$BUILD_DIR/bench_GeneratorBench" ] || { echo "$BUILD_DIR/bench_GeneratorBench not built" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$work" "$BUILD_DIR/bench_GeneratorBench" \
    --benchmark_filter=BM_TraceabilityImportMemory --benchmark_format=json >"$work/out.json" 2>/dev/null)
python3 - "$work/out.json" 8 <<'PY'
import json, sys
path, target = sys.argv[1], float(sys.argv[2])
missed = 0
for result in json.load(open(path))["benchmarks"]:
    met = result["peakRatio"] <= target
    missed += not met
    name = result["name"].split("/")[0].removeprefix("BM_TraceabilityImportMemory")
    print(f"{name}: input {result['inputMB']:.1f} MB, peak {result['peakMB']:.1f} MB, "
          f"{result['peakRatio']:.2f} times (target <= {target:g}: {'met' if met else 'missed'})")
sys.exit(1 if missed else 0)
PY
