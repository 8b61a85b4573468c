#!/usr/bin/env bash
# Runs the fuzz targets of a NUV_FUZZ build, all at once, each over its seed corpus for SECONDS.
#   fuzz/run.sh BUILD_DIR SECONDS [TARGET ...]    targets: document-reader map-reader messages-file csv-splitter
# New inputs go to BUILD_DIR/fuzz/corpus/TARGET, crashing ones to BUILD_DIR/fuzz/artifacts/TARGET, the
# output to BUILD_DIR/fuzz/TARGET.log. Fails when a target found a crash, a leak, a hang or a failed check.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
seconds=$2
shift 2
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(document-reader map-reader messages-file csv-splitter)

# Program, seed folders, dictionary and input size limit of each target; the limits keep each run quick.
fuzz_arguments() {
    case $1 in
    document-reader) echo DocumentReaderFuzzer tests/data/docfile -dict=fuzz/document.dict -max_len=32768 ;;
    map-reader) echo MindMapReaderFuzzer samples -dict=fuzz/map.dict -max_len=8192 ;;
    messages-file) echo MessagesFileFuzzer tests/data/texts -dict=fuzz/messages.dict -max_len=4096 ;;
    csv-splitter) echo CsvSplitterFuzzer -max_len=1024 ;;
    *) echo "unknown fuzz target: $1" >&2; return 1 ;;
    esac
}

declare -A pids
for target in "${targets[@]}"; do
    read -r program arguments <<<"$(fuzz_arguments "$target")"
    corpus=$build/fuzz/corpus/$target
    artifacts=$build/fuzz/artifacts/$target
    mkdir -p "$corpus" "$artifacts"
    # shellcheck disable=SC2086 # the seed folders and options are separate words
    "$build/fuzz/$program" "$corpus" tests/data/fuzz/"$target" $arguments -max_total_time="$seconds" -timeout=30 \
        -print_final_stats=1 -artifact_prefix="$artifacts/" >"$build/fuzz/$target.log" 2>&1 &
    pids[$target]=$!
done

failed=0
for target in "${targets[@]}"; do
    if wait "${pids[$target]}"; then
        echo "fuzz $target: $(grep -o 'stat::number_of_executed_units: [0-9]*' "$build/fuzz/$target.log" |
            grep -o '[0-9]*$') runs, $(grep -oE 'cov: [0-9]+' "$build/fuzz/$target.log" | tail -1), no fault"
    else
        failed=1
        echo "fuzz $target FAILED; its output ($build/fuzz/$target.log) ends with:" >&2
        tail -n 60 "$build/fuzz/$target.log" >&2
    fi
done
exit $failed
