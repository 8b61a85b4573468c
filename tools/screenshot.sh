#!/usr/bin/env bash
# Shows the editor on a virtual X server and saves a picture of the screen, for a look at the editor without
# a desktop. Installs what is missing with apt-get (Debian).
#   tools/screenshot.sh FILE.nuv OUT.png [COMMAND...] [key:KEY...|click:X,Y...|rclick:X,Y...]
# Each COMMAND is a main-window command id run once the window shows, in order (32790 brings the hierarchical
# index to the front, 216 chooses a look); each key:KEY is then typed into the window that has the focus, in
# order, as xdotool names keys (key:Return answers a question with its default); each click:X,Y clicks the left
# button (rclick:X,Y the right one) at that point of the screen, in turn with the keys. NUV names the program
# (default build/nuv).
set -euo pipefail

if [ $# -lt 2 ]; then
    echo "usage: $0 FILE.nuv OUT.png [COMMAND...] [key:KEY...]" >&2
    exit 2
fi
document=$(realpath "$1")
output=$2
shift 2
commands=()
keys=()
for argument in "$@"; do
    case $argument in
    key:* | click:* | rclick:*) keys+=("$argument") ;;
    *) commands+=("$argument") ;;
    esac
done
nuv=${NUV:-$(dirname "$0")/../build/nuv}
[ -x "$nuv" ] || { echo "$0: $nuv not built (./build.sh run)" >&2; exit 1; }

# A Japanese font: the documents and the window texts are mostly Japanese.
PACKAGES=(xvfb x11-apps x11-utils xdotool netpbm fonts-ipafont-gothic)
missing=()
for package in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The first display number nobody uses.
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
work=$(mktemp -d)
owner_file="$(dirname "$document")/~\$$(basename "$document")"
owner_existed=0
[ -e "$owner_file" ] && owner_existed=1
xvfb_pid=""
nuv_pid=""
stop() {
    if [ -n "$2" ]; then
        kill "-$1" "$2" 2>/dev/null || true
        wait "$2" 2>/dev/null || true
    fi
}
cleanup() {
    # Killed: asked to end, the editor would close as Exit does and ask about a changed document.
    stop KILL "$nuv_pid"
    stop TERM "$xvfb_pid"
    # The editor was stopped, not closed: its owner file goes with it.
    if [ "$owner_existed" -eq 0 ]; then
        rm -f "$owner_file"
    fi
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    sleep 0.1
done
export DISPLAY=":$display"
NUV_RUN_COMMANDS="${commands[*]}" XDG_RUNTIME_DIR="$work" XDG_CONFIG_HOME="$work/config" "$nuv" "$document" \
    >"$work/nuv.log" 2>&1 &
nuv_pid=$!

# Waits for the main window, then a moment for it to paint.
shown=0
for _ in $(seq 100); do
    if xwininfo -root -tree 2>/dev/null | grep -q "NUV FreeMind Map file converter"; then
        shown=1
        break
    fi
    kill -0 "$nuv_pid" 2>/dev/null || break
    sleep 0.1
done
if [ "$shown" -eq 0 ]; then
    echo "$0: the main window did not show" >&2
    cat "$work/nuv.log" >&2
    exit 1
fi
sleep 1
for input in "${keys[@]}"; do
    case $input in
    click:*) IFS=, read -r x y <<<"${input#click:}" && xdotool mousemove "$x" "$y" click 1 ;;
    rclick:*) IFS=, read -r x y <<<"${input#rclick:}" && xdotool mousemove "$x" "$y" click 3 ;;
    *) xdotool key "${input#key:}" ;;
    esac
    sleep 0.5
done
# The root's picture misses the windows the X server keeps apart (dialogs get a visual of their own): each
# window that shows is taken by itself and pasted over it, the bottom one first.
xwd -root -silent | xwdtopnm >"$work/screen.pnm" 2>/dev/null
xwininfo -root -children | awk '/^ +0x/ {print $1, $(NF-1)}' | tac | while read -r id geometry; do
    xwininfo -id "$id" 2>/dev/null | grep -q "Map State: IsViewable" || continue
    [[ $geometry =~ ^([0-9]+)x([0-9]+)\+(-?[0-9]+)\+(-?[0-9]+)$ ]] || continue
    width=${BASH_REMATCH[1]} height=${BASH_REMATCH[2]} x=${BASH_REMATCH[3]} y=${BASH_REMATCH[4]}
    [ "$width" -gt 3 ] && [ "$height" -gt 3 ] && [ "$x" -ge 0 ] && [ "$y" -ge 0 ] || continue
    xwd -id "$id" -silent 2>/dev/null | xwdtopnm >"$work/window.pnm" 2>/dev/null || continue
    pnmpaste "$work/window.pnm" "$x" "$y" "$work/screen.pnm" >"$work/pasted.pnm" 2>/dev/null &&
        mv "$work/pasted.pnm" "$work/screen.pnm"
done
pnmtopng "$work/screen.pnm" >"$output"
echo "Written: $(realpath "$output")"
