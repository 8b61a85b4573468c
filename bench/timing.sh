# Shell helpers the bench scripts source.

# Runs the command and prints its wall time in milliseconds.
elapsed_ms() {
    local start end
    start=$(date +%s%N)
    "$@"
    end=$(date +%s%N)
    awk -v ns=$((end - start)) 'BEGIN { printf "%.1f\n", ns / 1e6 }'
}

# The median of the numbers on standard input, one a line.
median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Stops the script unless every program given is built and /usr/bin/time, which measures peak memory, is there.
require_programs() {
    local program
    for program in "$@"; do
        [ -x "$program" ] || { echo "$program not built" >&2; exit 1; }
    done
    [ -x /usr/bin/time ] || { echo "/usr/bin/time missing (package time)" >&2; exit 1; }
}

# The median, min and max of the numbers on standard input, one a line, after a label.
summary() {
    local sorted
    sorted=$(sort -n)
    echo "$1: median $(median <<<"$sorted"), min $(head -1 <<<"$sorted"), max $(tail -1 <<<"$sorted")"
}

# Field n of each of the given lines, one a line.
field() { local n=$1; shift; printf '%s\n' "$@" | awk -v n="$n" '{ print $n }'; }
