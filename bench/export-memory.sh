#!/usr/bin/env bash
# Peak memory of the traceability and CSV tree exports above the document's own load, against the file written
# (bench_ExportMemoryBench): each in CP932 and in UTF-8 (a name that CP932 lacks). Prints for each the file and peak
# in MB and their ratio against the target (at most 3 times the file). Given a "before" build that has made
# bench_ExportMemoryBench from the same source, runs it first, prints its figures beside and the ratio this / before
# of the peaks, and checks that both builds write the same bytes. Exits non-zero when a case fails, misses the target
# or writes other bytes than before. Builds nothing: run after the build has made bench_ExportMemoryBench. Takes
# about ten seconds a build.
#   bench/export-memory.sh [build dir] [before build dir]
set -euo pipefail

BUILD_DIR=$(realpath "${1:-build}")
BEFORE_DIR=${2:+$(realpath "$2")}
for dir in "$BUILD_DIR" ${BEFORE_DIR:+"$BEFORE_DIR"}; do
    [ -x "$dir/bench_ExportMemoryBench" ] || { echo "$dir/bench_ExportMemoryBench not built" >&2; exit 1; }
done
work=$(mktemp -d)
chmod 700 "$work"
trap 'rm -rf "$work"' EXIT

# The cases of the build in $1, their files left in $work/$2 and their figures in $work/$2.json.
measure() {
    mkdir "$work/$2"
    (cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$work" "$1/bench_ExportMemoryBench" \
        --keep "$work/$2" --benchmark_format=json >"$work/$2.json" 2>/dev/null)
}

[ -z "$BEFORE_DIR" ] || measure "$BEFORE_DIR" before
measure "$BUILD_DIR" this
python3 - "$work" 3 <<'PY'
import filecmp, json, os, sys
work, target = sys.argv[1], float(sys.argv[2])

def results(name):
    path = os.path.join(work, name + ".json")
    if not os.path.exists(path):
        return {}
    return {r["name"].split("/iterations")[0]: r for r in json.load(open(path))["benchmarks"]}

this, before = results("this"), results("before")
missed = 0
for name, result in this.items():
    label = name.removeprefix("BM_").replace("ExportMemory/0", " export, CP932").replace("ExportMemory/1", " export, UTF-8")
    if result.get("error_occurred"):
        print(f"{label}: {result.get('error_message')}: MISSED")
        missed += 1
        continue
    met = result["peakRatio"] <= target
    missed += not met
    line = (f"{label}: file {result['fileMB']:.1f} MB, peak {result['peakMB']:.1f} MB, "
            f"{result['peakRatio']:.2f} times (target <= {target:g}: {'met' if met else 'missed'})")
    if name in before and not before[name].get("error_occurred"):
        was = before[name]
        line += (f"; before: peak {was['peakMB']:.1f} MB, {was['peakRatio']:.2f} times, "
                 f"this / before {result['peakMB'] / was['peakMB']:.2f}")
    print(line)
if before:
    for file in sorted(os.listdir(os.path.join(work, "this"))):
        old = os.path.join(work, "before", file)
        same = os.path.exists(old) and filecmp.cmp(os.path.join(work, "this", file), old, shallow=False)
        missed += not same
        print(f"{file}: {'the same bytes as before' if same else 'other bytes than before: MISSED'}")
sys.exit(1 if missed else 0)
PY
