#!/usr/bin/env bash
# nuvdump --resave and --export-older of documents of 1 and 45 MB (370 and 16,650 unit functions), the second of two
# runs in a row that write the same file, against a build before: the second run starts as the first ends, so that it
# replaces a file written well within two seconds before. Each on the work folder's own file system (ext4 here) and on
# a loop-mounted ext2 made with 128-byte inodes, which keeps whole-second times, so that the file's change time lies
# within its tick when the second run replaces it. The builds take turns, ROUNDS turns of RUNS pairs of runs each
# (each build first in every other turn), each pair writing a file that is not there before its first run. Prints for
# each case the median wall time of this build's second runs and of the before build's (with min and max), and their
# ratio against the target (at most 1.2). Mounting takes the superuser: without, the ext2 cases are skipped with a
# line that says so; the image is unmounted at the end. Exits non-zero when a run fails or a ratio misses the target.
# Builds nothing: run after both builds have made nuvdump (and this one bench_DocumentFileBench, which writes the
# documents). Takes about four minutes.
#   bench/resave.sh BUILD_DIR BEFORE_BUILD_DIR [ROUNDS] [RUNS]   ROUNDS default 4, RUNS default 3
set -euo pipefail

[ $# -ge 2 ] || { echo "usage: $0 BUILD_DIR BEFORE_BUILD_DIR [ROUNDS] [RUNS]" >&2; exit 2; }
BUILD_DIR=$(realpath "$1")
BEFORE_DIR=$(realpath "$2")
ROUNDS=${3:-4}
RUNS=${4:-3}
for program in "$BUILD_DIR/nuvdump" "$BEFORE_DIR/nuvdump" "$BUILD_DIR/bench_DocumentFileBench"; do
    [ -x "$program" ] || { echo "$program not built" >&2; exit 1; }
done
source "$(dirname "$0")/timing.sh"
source "$(dirname "$0")/file-systems.sh"
make_work_folder

write_documents "$BUILD_DIR" 1=370 45=16650

# Room on the ext2 for the larger document in the older format, which is about twice its size, and its new copy.
make_case_folders 512M

# Runs the command given; stops the script when it fails.
run() {
    env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$work" XDG_CACHE_HOME="$work/cache" "$@" \
        >/dev/null 2>"$work/stderr" || { echo "failed: $* ($(head -c 300 "$work/stderr"))" >&2; exit 1; }
}

# A pair of runs of nuvdump of build $1 with option $2 on the document of $3 MB into folder $4: the wall time of the
# second in milliseconds added to $work/results/NAME, NAME given by $5.
measure() {
    local nuvdump=$1/nuvdump option=$2 size=$3 folder=$4 name=$5
    rm -f "$folder/out.nuv"
    # The last pair's writing-back is not this one's.
    sync
    run "$nuvdump" "$option" "$work/$size.nuv" "$folder/out.nuv"
    elapsed_ms run "$nuvdump" "$option" "$work/$size.nuv" "$folder/out.nuv" >>"$work/results/$name"
}

mkdir "$work/results"
failed=0
for size in 1 45; do
    for i in "${!folders[@]}"; do
        for option in --resave --export-older; do
            name="$size-$i$option"
            # Each build goes first in every other turn, so that neither gains from its place.
            for turn in $(seq "$ROUNDS"); do
                order=("$BEFORE_DIR before" "$BUILD_DIR this")
                [ $((turn % 2)) -eq 1 ] || order=("${order[1]}" "${order[0]}")
                for build in "${order[@]}"; do
                    for _ in $(seq "$RUNS"); do
                        measure "${build% *}" "$option" "$size" "${folders[$i]}" "$name-${build##* }"
                    done
                done
            done
            for build in this before; do
                summary "$size MB, ${labels[$i]}, $option, $build (ms)" <"$work/results/$name-$build"
            done
            awk -v now="$(median <"$work/results/$name-this")" -v was="$(median <"$work/results/$name-before")" \
                -v target=1.2 'BEGIN {
                    ratio = now / was
                    printf "  this / before %.2f (target <= %g: %s)\n", ratio, target, ratio <= target ? "met" : "missed"
                    exit !(ratio <= target)
                }' || failed=1
        done
    done
done
exit $failed
