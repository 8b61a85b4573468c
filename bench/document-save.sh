#!/usr/bin/env bash
# The editor's Save of documents of 45 and 200 MB (16,650 and 74,000 unit functions), the second of two in a row
# (bench_DocumentSaveBench), against a build before: each written beside (an ordinary file) and in place (the file has
# a second hard link), on the work folder's own file system (ext4 here) and on a loop-mounted ext2 made with 128-byte
# inodes, which keeps whole-second times, so that the state a save records cannot vouch for the content and the next
# save compares it. The builds take turns, ROUNDS turns of RUNS runs each (each build first in every other turn), each
# turn on a fresh copy of the document. Prints for each case the median time of this build's runs and of the before
# build's (with min and max, and what the save read), and their ratio against the target (at most 1.2). Mounting
# takes the superuser: without, the ext2 cases are skipped with a line that says so; the image is unmounted at the
# end. Exits non-zero when a run fails or a ratio misses the target. Builds nothing: run after both builds have made
# bench_DocumentSaveBench from the same source (and this one bench_DocumentFileBench, which writes the documents).
# Takes about seven minutes.
#   bench/document-save.sh BUILD_DIR BEFORE_BUILD_DIR [ROUNDS] [RUNS]   ROUNDS default 6, RUNS default 3
set -euo pipefail

[ $# -ge 2 ] || { echo "usage: $0 BUILD_DIR BEFORE_BUILD_DIR [ROUNDS] [RUNS]" >&2; exit 2; }
BUILD_DIR=$(realpath "$1")
BEFORE_DIR=$(realpath "$2")
ROUNDS=${3:-6}
RUNS=${4:-3}
for program in "$BUILD_DIR/bench_DocumentSaveBench" "$BEFORE_DIR/bench_DocumentSaveBench" \
    "$BUILD_DIR/bench_DocumentFileBench"; do
    [ -x "$program" ] || { echo "$program not built" >&2; exit 1; }
done
source "$(dirname "$0")/file-systems.sh"
make_work_folder

write_documents "$BUILD_DIR" 45=16650 200=74000

# Room on the ext2 for the larger document and the new copy written beside it.
make_case_folders 1G

# Turn $4 of build $1 on the document of $2 MB in folder $3, written in place when $5 is "in place": its figures in
# $work/results/NAME-TURN.json, NAME given by $6.
measure() {
    local build=$1 size=$2 folder=$3 turn=$4 way=$5 name=$6
    rm -f "$folder"/doc*.nuv
    cp "$work/$size.nuv" "$folder/doc.nuv"
    [ "$way" = beside ] || ln "$folder/doc.nuv" "$folder/doc-link.nuv"
    # The copy's writing-back is not the save's.
    sync
    (cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY TMPDIR="$work" "$build/bench_DocumentSaveBench" \
        "$folder/doc.nuv" "$RUNS" --benchmark_format=json >"$work/results/$name-$turn.json" 2>/dev/null)
}

mkdir "$work/results"
cases=() # NAME=LABEL
for size in 45 200; do
    for i in "${!folders[@]}"; do
        for way in beside "in place"; do
            name="$size-$i-${way// /-}"
            cases+=("$name=$size MB, ${labels[$i]}, $way")
            # Each build goes first in every other turn, so that neither gains from its place.
            for turn in $(seq "$ROUNDS"); do
                order=("$BEFORE_DIR before" "$BUILD_DIR this")
                [ $((turn % 2)) -eq 1 ] || order=("${order[1]}" "${order[0]}")
                for build in "${order[@]}"; do
                    measure "${build% *}" "$size" "${folders[$i]}" "$turn-${build##* }" "$way" "$name"
                done
            done
        done
    done
done

python3 - "$work/results" 1.2 "${cases[@]}" <<'PY'
import glob, json, os, statistics, sys
results, target, cases = sys.argv[1], float(sys.argv[2]), sys.argv[3:]

def runs(pattern):
    found, errors = [], []
    for path in sorted(glob.glob(os.path.join(results, pattern))):
        for run in json.load(open(path))["benchmarks"]:
            if run.get("run_type") != "iteration":
                continue
            if run.get("error_occurred"):
                errors.append(run.get("error_message"))
            else:
                found.append((run["real_time"], run["readMB"]))
    return found, errors

# The median time, and a text of it with the least and the most, and of what the runs read.
def figure(found):
    times = sorted(t for t, _ in found)
    reads = sorted({round(r) for _, r in found})
    read = f"{reads[0]}" if len(reads) == 1 else f"{reads[0]}-{reads[-1]}"
    median = statistics.median(times)
    return median, f"{median:.0f} ms ({times[0]:.0f}-{times[-1]:.0f}), read {read} MB"

missed = 0
for name, case in (entry.split("=", 1) for entry in cases):
    this, this_errors = runs(name + "-*-this.json")
    before, before_errors = runs(name + "-*-before.json")
    if this_errors or before_errors or not this or not before:
        print(f"{case}: failed: {'; '.join(this_errors + before_errors) or 'no runs'}: MISSED")
        missed += 1
        continue
    (now, now_text), (was, was_text) = figure(this), figure(before)
    ratio = now / was
    met = ratio <= target
    missed += not met
    print(f"{case}: this {now_text}; before {was_text}; this / before {ratio:.2f} "
          f"(target <= {target:g}: {'met' if met else 'missed'})")
sys.exit(1 if missed else 0)
PY
