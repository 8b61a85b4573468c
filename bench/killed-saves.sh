#!/bin/sh
# Kills saves on the way and counts what is lost.
#   bench/killed-saves.sh [BUILD] [KILLS]
# 1. A save in place (the document has a second hard link) is stopped by nuvdump's NUV_STOP_AFTER_BYTES at KILLS
#    points spread evenly over the bytes of the backup and the document (default 100). After each: the document
#    must hold its old or its new content whole, or a backup in the cache folder must hold the old one whole; the
#    next open must name that backup, under the name it gives it; the next save must leave no temporary file, and
#    keep the backup.
# 2. Ordinary saves (renamed over the document) are killed with SIGKILL after KILLS delays spread over the run of
#    one save; the next save must leave no temporary file beside the document.
# 3. Two saves in place of one document (it has a second hard link), one of a large document and one of a small,
#    run at once KILLS times: each must succeed, or be refused because the other is writing the file or wrote it
#    since the save found it; one of the two contents stays whole, none may be mixed.
set -eu
build=${1:-build}
kills=${2:-100}
here=$(cd "$(dirname "$0")/.." && pwd)
nuvdump=$(cd "$build" && pwd)/nuvdump
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CACHE_HOME="$work/cache"
cache="$XDG_CACHE_HOME/nuv"
unset NUV_STOP_AFTER_BYTES || true

# The new content is the sample document saved again; the old one differs from it at its start and at its end.
input="$here/tests/data/docfile/layout.nuv"
"$nuvdump" --resave "$input" "$work/new.nuv"
sed '0,/IsSelected="0"/s//IsSelected="1"/' "$work/new.nuv" >"$work/old.nuv"
printf '<!-- older -->\n' >>"$work/old.nuv"
old_size=$(wc -c <"$work/old.nuv")
new_size=$(wc -c <"$work/new.nuv")
total=$((old_size + new_size))

untouched=0 whole_new=0 torn_with_backup=0 lost=0 told=0 left=0 stray=0
i=0
while [ "$i" -lt "$kills" ]; do
    stop=$((i * (total + 1) / (kills - 1 > 0 ? kills - 1 : 1)))
    rm -rf "$cache" "$work"/doc.nuv* "$work"/.doc.nuv* "$work/other.nuv"
    cp "$work/old.nuv" "$work/doc.nuv"
    ln "$work/doc.nuv" "$work/other.nuv"
    status=0
    NUV_STOP_AFTER_BYTES=$stop "$nuvdump" --resave "$input" "$work/doc.nuv" 2>/dev/null || status=$?
    backup=$(ls "$cache"/doc.nuv-*.bak 2>/dev/null | head -n 1 || true)
    if [ -n "$backup" ] && ! cmp -s "$backup" "$work/old.nuv"; then
        lost=$((lost + 1)) # a backup named complete must be whole
    elif cmp -s "$work/doc.nuv" "$work/old.nuv"; then
        untouched=$((untouched + 1))
    elif cmp -s "$work/doc.nuv" "$work/new.nuv"; then
        whole_new=$((whole_new + 1))
    elif [ -n "$backup" ]; then
        torn_with_backup=$((torn_with_backup + 1))
    else
        lost=$((lost + 1))
        echo "lost at byte $stop (status $status)" >&2
    fi
    if [ -n "$backup" ]; then
        # The open tells of the backup once, under the name it gives it then.
        backup="${backup%.bak}.kept.bak"
        "$nuvdump" "$work/doc.nuv" 2>&1 >/dev/null | grep -qF "$backup" && told=$((told + 1))
    fi
    "$nuvdump" --resave "$input" "$work/doc.nuv"
    left=$((left + $(ls -A "$work" | grep -c '^\.doc\.nuv\.nuvsave-' || true)))
    stray=$((stray + $(ls "$cache" 2>/dev/null | grep -c '\.part$' || true)))
    if [ -n "$backup" ] && ! cmp -s "$backup" "$work/old.nuv"; then
        echo "backup changed at byte $stop" >&2
        lost=$((lost + 1))
    fi
    i=$((i + 1))
done
echo "save in place: $kills kills over $total bytes: $untouched untouched, $whole_new whole new," \
    "$torn_with_backup torn with a whole backup, $lost lost; the next open named $told backups;" \
    "$left temporaries beside and $stray incomplete backups after the next save"

# Ordinary saves killed by a signal at delays spread over one save's run.
rm -rf "$cache" "$work"/doc.nuv* "$work"/.doc.nuv* "$work/other.nuv"
cp "$work/old.nuv" "$work/doc.nuv"
start=$(date +%s%N)
"$nuvdump" --resave "$input" "$work/doc.nuv"
span=$((($(date +%s%N) - start) / 1000))
killed_left=0 broken=0
i=0
while [ "$i" -lt "$kills" ]; do
    "$nuvdump" --resave "$input" "$work/doc.nuv" 2>/dev/null &
    pid=$!
    delay=$((i * span / kills))
    sleep "$(printf '0.%06d' "$delay")"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    killed_left=$((killed_left + $(ls -A "$work" | grep -c '^\.doc\.nuv\.nuvsave-' || true)))
    cmp -s "$work/doc.nuv" "$work/new.nuv" || broken=$((broken + 1))
    i=$((i + 1))
done
"$nuvdump" --resave "$input" "$work/doc.nuv"
after=$(ls -A "$work" | grep -c '^\.doc\.nuv\.nuvsave-' || true)
echo "ordinary save: $kills kills over ${span} us: $killed_left temporaries seen after the kills, $broken documents" \
    "not whole, $after temporaries after the next save"

# Two writers at once: a document grown to some hundred kilobytes by merging it into itself, and the small one.
cp "$input" "$work/large.nuv"
for _ in 1 2 3 4 5; do
    "$nuvdump" --merge "$work/large.nuv" "$work/large.nuv" "$work/larger.nuv" >/dev/null
    mv "$work/larger.nuv" "$work/large.nuv"
done
"$nuvdump" --resave "$work/large.nuv" "$work/large-new.nuv"
"$nuvdump" --resave "$work/old.nuv" "$work/other-new.nuv"
rm -rf "$cache"
first=0 second=0 mixed=0 failed=0
i=0
while [ "$i" -lt "$kills" ]; do
    rm -f "$work"/doc.nuv* "$work"/.doc.nuv* "$work/other.nuv"
    cp "$work/old.nuv" "$work/doc.nuv"
    ln "$work/doc.nuv" "$work/other.nuv"
    "$nuvdump" --resave "$work/large.nuv" "$work/doc.nuv" 2>/dev/null &
    a=$!
    "$nuvdump" --resave "$work/old.nuv" "$work/doc.nuv" 2>/dev/null &
    b=$!
    wait "$a" || failed=$((failed + 1))
    wait "$b" || failed=$((failed + 1))
    if cmp -s "$work/doc.nuv" "$work/large-new.nuv"; then
        first=$((first + 1))
    elif cmp -s "$work/doc.nuv" "$work/other-new.nuv"; then
        second=$((second + 1))
    else
        mixed=$((mixed + 1))
    fi
    i=$((i + 1))
done
backups=$(ls "$cache" 2>/dev/null | wc -l)
echo "two writers in place: $kills rounds: $first ended with the first writer's content, $second with the second's," \
    "$mixed mixed; $failed saves refused; $backups files left in the cache folder"
[ "$lost" -eq 0 ] && [ "$left" -eq 0 ] && [ "$stray" -eq 0 ] && [ "$broken" -eq 0 ] && [ "$after" -eq 0 ] &&
    [ "$mixed" -eq 0 ] && [ "$failed" -lt "$((2 * kills))" ] && [ "$backups" -eq 0 ]
