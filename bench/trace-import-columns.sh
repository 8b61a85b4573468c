#!/usr/bin/env bash
# The traceability import of an older CP932 export (a "?" for each character CP932 lacks) of 1,000 rows under 1,000,
# 2,000 and 4,000 columns, each row marking an eighth of them (bench_GeneratorBench --write-question-columns writes
# the document and the file), in four shapes: "?" columns each the form of two items that the unit function of every
# row marking it owns, so that the file imports back unchanged (several); the same file into a document whose first
# unit function owns every item and marks none, so that each mark of another row is read as written (unheld); "?"
# columns each the form of one item (one); and columns CP932 holds (plain). Times the whole nuvgen trace-import (load,
# import, save) of this build and of a before build in turns, each first in every other turn, TURNS turns. Prints for
# each shape and size the median time and peak memory of both builds, and the ratios of the turns (median, min, max):
# each doubling of the columns (for the "?" columns of two items, target for this build's median at most 2.2; the
# other two show the growth of the whole program's load, rebuild and save) and this / before (target at most 1.2 for
# every shape and size). Both builds must write the same document where they read the file alike (every shape but
# several, whose items the build before read as written). Exits non-zero when a run fails, the documents differ or a
# target is missed. Builds nothing: run after this build has made nuvgen and bench_GeneratorBench and the before
# build nuvgen. Takes about five minutes with the default turns.
#   bench/trace-import-columns.sh BUILD_DIR BEFORE_BUILD_DIR [TURNS]   TURNS default 5
set -euo pipefail

[ $# -ge 2 ] || { echo "usage: $0 BUILD_DIR BEFORE_BUILD_DIR [TURNS]" >&2; exit 2; }
BUILD_DIR=$(realpath "$1")
BEFORE_DIR=$(realpath "$2")
TURNS=${3:-5}
source "$(dirname "$0")/timing.sh"
require_programs "$BUILD_DIR/nuvgen" "$BUILD_DIR/bench_GeneratorBench" "$BEFORE_DIR/nuvgen"

work=$(mktemp -d)
chmod 700 "$work"
trap 'rm -rf "$work"' EXIT
shapes=(several unheld one plain)
sizes=(1000 2000 4000)
for shape in "${shapes[@]}"; do
    for size in "${sizes[@]}"; do
        "$BUILD_DIR/bench_GeneratorBench" --write-question-columns "$work" "$shape" "$size"
    done
done

# One import by the nuvgen of build $1 (named $2) of shape $3 at size $4, its line appended to $work/results:
# "name shape size seconds peak-KB status".
run() {
    local status=0 start end
    start=$(date +%s%N)
    env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$work" /usr/bin/time -o "$work/time" -f '%M' \
        "$1/nuvgen" trace-import "$work/$3-$4.nuv" "$work/$3-$4.csv" -o "$work/$2-$3-$4.nuv" >/dev/null 2>&1 ||
        status=$?
    end=$(date +%s%N)
    echo "$2 $3 $4 $(awk -v ns=$((end - start)) 'BEGIN { print ns / 1e9 }') $(tail -1 "$work/time") $status" \
        >>"$work/results"
}

failed=0
turn=0
for _ in $(seq "$TURNS"); do
    for shape in "${shapes[@]}"; do
        for size in "${sizes[@]}"; do
            if ((turn++ % 2)); then
                run "$BEFORE_DIR" before "$shape" "$size"
                run "$BUILD_DIR" this "$shape" "$size"
            else
                run "$BUILD_DIR" this "$shape" "$size"
                run "$BEFORE_DIR" before "$shape" "$size"
            fi
        done
    done
done
for shape in one plain unheld; do
    for size in "${sizes[@]}"; do
        cmp -s "$work/this-$shape-$size.nuv" "$work/before-$shape-$size.nuv" ||
            { echo "$shape, $size columns: the documents written differ: MISSED"; failed=1; }
    done
done

python3 - "$work/results" <<'PY' || failed=1
import statistics, sys
runs = {}  # (build, shape, size): [(seconds, kilobytes, status)] in the order of the turns
for line in open(sys.argv[1]):
    build, shape, size, seconds, kilobytes, status = line.split()
    runs.setdefault((build, shape, int(size)), []).append((float(seconds), int(kilobytes), int(status)))
sizes = sorted({size for _, _, size in runs})
missed = 0

# The ratios of the times of the runs of b to those of a, turn by turn: median, min and max against the target.
def ratios(label, a, b, target=None):
    global missed
    values = sorted(y[0] / x[0] for x, y in zip(runs[a], runs[b]))
    text = f"  {label}: median {statistics.median(values):.2f}, min {values[0]:.2f}, max {values[-1]:.2f}"
    if target is not None:
        met = statistics.median(values) <= target
        missed += not met
        text += f" (target <= {target}: {'met' if met else 'missed'})"
    print(text)

for shape in ["several", "unheld", "one", "plain"]:
    print(f"== {shape}")
    for size in sizes:
        line = f"{size} columns:"
        for build in ["this", "before"]:
            results = runs[build, shape, size]
            line += (f" {build} {statistics.median(seconds for seconds, _, _ in results):.2f} s "
                     f"{statistics.median(kb for _, kb, _ in results) / 1024:.0f} MB,")
            for status in {status for _, _, status in results if status}:
                print(f"{build}, {size} columns: a run ended with status {status}: MISSED")
                missed += 1
        print(line.rstrip(","))
    for small, large in zip(sizes, sizes[1:]):
        ratios(f"before, {large} / {small} columns", ("before", shape, small), ("before", shape, large))
        ratios(f"this, {large} / {small} columns", ("this", shape, small), ("this", shape, large),
               2.2 if shape in ["several", "unheld"] else None)
    for size in sizes:
        ratios(f"this / before at {size} columns", ("before", shape, size), ("this", shape, size), 1.2)
sys.exit(1 if missed else 0)
PY
exit $failed
