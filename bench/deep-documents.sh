#!/usr/bin/env bash
# The programs on documents nested far deeper than people write them, each run under a 4 GB address limit and a
# timeout: ifs nested 5,000 and 20,000 deep (nuvinspect inspect and conditions, nuvgen dtable, testspec and
# sentences) and a table of contents 100,000 deep (nuvdump, nuvview toc). Prints each run's exit status, time and
# peak memory; every run must end by itself (an exit status, never a signal or the timeout) within 1 GB of peak
# memory, or the script exits non-zero. Builds nothing: run after the build (Google Benchmark installed) has made
# the tools and bench_InspectionPaneBench, which writes the nested documents.
#   bench/deep-documents.sh [build dir]
set -euo pipefail

BUILD_DIR=$(realpath "${1:-build}")
for program in nuvinspect nuvgen nuvdump nuvview bench_InspectionPaneBench; do
    [ -x "$BUILD_DIR/$program" ] || { echo "$BUILD_DIR/$program not built" >&2; exit 1; }
done
[ -x /usr/bin/time ] || { echo "/usr/bin/time missing (package time)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 700 "$work"
export XDG_RUNTIME_DIR="$work" HOME="$work"
unset DISPLAY WAYLAND_DISPLAY

for depth in 5000 20000; do
    "$BUILD_DIR/bench_InspectionPaneBench" --write-nested-if-document "$work/if$depth.nuv" "$depth"
done
# A chain of unit functions, each the only child of the one before.
awk -v n=100000 'BEGIN {
    print "<?xml version=\"1.0\" encoding=\"UTF-8\"?><NUV Version=\"0.4.0\"><Document><FunctionHolder Root=\"1\">"
    for (i = 1; i <= n; i++)
        printf "<Function InternalID=\"%d\"><Name>F%d</Name>%s</Function>\n", i, i,
               i < n ? "<Child Descriptor=\"" i + 1 "\"/>" : ""
    print "</FunctionHolder><Functions/></Document></NUV>"
}' >"$work/toc100000.nuv"

failed=0
# One run: label, then the command. Output and messages are dropped; the answers to questions are the defaults.
run() {
    local label=$1 status=0
    shift
    (ulimit -v 4194304; /usr/bin/time -o "$work/time" -f '%e %M' timeout 300 "$@" >/dev/null 2>&1) || status=$?
    read -r seconds kilobytes < <(tail -1 "$work/time") || true
    printf '%-40s exit %3d  %6.2f s  %7.1f MB\n' "$label" "$status" "${seconds:-0}" "$((${kilobytes:-0} / 1024))"
    if [ "$status" -gt 128 ] || [ "$status" -eq 124 ] || [ "${kilobytes:-0}" -gt 1048576 ]; then
        failed=1
    fi
}

for depth in 5000 20000; do
    doc="$work/if$depth.nuv"
    run "nuvinspect inspect --current ($depth ifs)" "$BUILD_DIR/nuvinspect" inspect "$doc" --current 0
    run "nuvinspect inspect --all ($depth ifs)" "$BUILD_DIR/nuvinspect" inspect "$doc" --all
    run "nuvinspect conditions ($depth ifs)" "$BUILD_DIR/nuvinspect" conditions "$doc" --current 0
    run "nuvgen dtable ($depth ifs)" "$BUILD_DIR/nuvgen" dtable "$doc" -o "$work/dtable$depth" --current 0
    run "nuvgen testspec ($depth ifs)" "$BUILD_DIR/nuvgen" testspec "$doc" -o "$work/testspec$depth"
    run "nuvgen sentences ($depth ifs)" "$BUILD_DIR/nuvgen" sentences "$doc" --current 0
done
run "nuvdump (100000 levels)" "$BUILD_DIR/nuvdump" "$work/toc100000.nuv"
run "nuvview toc (100000 levels)" "$BUILD_DIR/nuvview" toc "$work/toc100000.nuv"
exit "$failed"
