#!/usr/bin/env bash
# Converts a generated FreeMind map of 20,000 nodes with tobrel and formats the same map with
# xmllint --format, alternating the two over several runs; prints the medians, their ratio and tobrel's
# peak memory. Run after ./build.sh test (or ./build.sh run) has built tobrel.
#   bench/tobrel-vs-xmllint.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=${BUILD_DIR:-build}
RUNS=${1:-7}
NODES=${NODES:-20000}
TOBREL="$BUILD_DIR/tobrel"
[ -x "$TOBREL" ] || { echo "$TOBREL not built" >&2; exit 1; }
command -v xmllint >/dev/null || { echo "xmllint missing (package libxml2-utils)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime" "$work/config"
map="$work/bench.mm"

# One root; below it subtrees five wide and six deep until the map has $NODES nodes. Names alternate
# Japanese and ASCII; every tenth node carries a note.
awk -v total="$NODES" '
function emit(depth,    i, n) {
    n = ++count
    if (n % 2)
        printf "<node ID=\"ID_%d\" CREATED=\"1733461200000\" MODIFIED=\"1733461200000\" TEXT=\"炊飯制御 %d 温度を監視する\">\n", n, n
    else
        printf "<node ID=\"ID_%d\" CREATED=\"1733461200000\" MODIFIED=\"1733461200000\" TEXT=\"Heater control step %d\">\n", n, n
    if (n % 10 == 0)
        printf "<richcontent TYPE=\"NOTE\"><html><head></head><body><p>ノード %d の説明: 底面温度が上限を超えたら出力を下げる。</p><p>Lower the power when the bottom sensor reads above the limit.</p></body></html></richcontent>\n", n
    for (i = 0; count < total && (depth == 0 || (i < 5 && depth < 6)); i++)
        emit(depth + 1)
    print "</node>"
}
BEGIN { print "<map version=\"1.0.1\">"; emit(0); print "</map>" }
' > "$map"
echo "map: $(grep -c '<node' "$map") nodes, $(du -k "$map" | cut -f1) KB"

run_tobrel() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work/runtime" \
        XDG_CONFIG_HOME="$work/config" "$TOBREL" "$map" 2>/dev/null
}
# Both programs write their result to a file beside the map, as a user would run them.
run_xmllint() {
    xmllint --format "$map" >"$work/formatted.xml"
}
source bench/timing.sh

tobrel_times=()
xmllint_times=()
for ((i = 0; i < RUNS; i++)); do
    if ((i % 2)); then
        xmllint_times+=("$(elapsed_ms run_xmllint)")
        tobrel_times+=("$(elapsed_ms run_tobrel)")
    else
        tobrel_times+=("$(elapsed_ms run_tobrel)")
        xmllint_times+=("$(elapsed_ms run_xmllint)")
    fi
done
[ -f "$work/bench.nuv" ] || { echo "tobrel wrote no document" >&2; exit 1; }
echo "outputs: tobrel $(du -k "$work/bench.nuv" | cut -f1) KB, xmllint $(du -k "$work/formatted.xml" | cut -f1) KB"

tobrel_median=$(printf '%s\n' "${tobrel_times[@]}" | median)
xmllint_median=$(printf '%s\n' "${xmllint_times[@]}" | median)
echo "tobrel:           ${tobrel_times[*]} ms, median $tobrel_median ms"
echo "xmllint --format: ${xmllint_times[*]} ms, median $xmllint_median ms"
awk -v t="$tobrel_median" -v x="$xmllint_median" 'BEGIN { printf "ratio tobrel / xmllint: %.2f\n", t / x }'
# The ratio within each pair, so that a pair the shared machine slowed shows as such.
for ((i = 0; i < RUNS; i++)); do
    awk -v t="${tobrel_times[i]}" -v x="${xmllint_times[i]}" 'BEGIN { printf "%.2f\n", t / x }'
done | sort -n | awk '{ v[NR] = $1 } END {
    printf "pair ratios: min %.2f, median %.2f, max %.2f\n", v[1], (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2, v[NR] }'

if [ -x /usr/bin/time ]; then
    peak_kb=$( { /usr/bin/time -f '%M' env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
        XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" "$TOBREL" "$map" 2>&1 >/dev/null; } | tail -1)
    echo "tobrel peak memory: $((peak_kb / 1024)) MB ($peak_kb KB)"
else
    echo "tobrel peak memory: /usr/bin/time missing (package time)"
fi
