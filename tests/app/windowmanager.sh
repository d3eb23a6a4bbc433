#!/bin/sh
# The main window under a real X server and window manager: dragging an edge
# or a corner resizes it, a double click on the title strip maximises it to
# the whole screen and restores it. Skipped (77) when Xvfb, the window
# manager or xdotool is missing.
#
# usage: windowmanager.sh FOLIVEX [WINDOW-MANAGER]
set -u
folivex=$1
wm=${2:-openbox}
for tool in Xvfb "$wm" xdotool; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
pids=""
cleanup() {
    for pid in $pids; do kill -- "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; exit 1; }

# Waits until the shell condition $1 holds, for up to ten seconds.
await() {
    i=0
    while ! eval "$1"; do
        i=$((i + 1))
        [ $i -gt 100 ] && return 1
        sleep 0.1
    done
}

Xvfb -displayfd 3 -screen 0 1600x1000x24 3>"$work/display" >/dev/null 2>&1 &
pids="$!"
await '[ -s "$work/display" ]' || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
# In a process group of its own, with a session bus where one can be had
# (xfwm4 does not manage windows without its settings service).
if command -v dbus-run-session >/dev/null 2>&1; then
    setsid dbus-run-session -- "$wm" >/dev/null 2>&1 &
else
    setsid "$wm" >/dev/null 2>&1 &
fi
pids="-$! $pids"
sleep 2
HOME=$work QT_QPA_PLATFORM=xcb "$folivex" >"$work/folivex.log" 2>&1 &
pids="$! $pids"
await 'win=$(xdotool search --onlyvisible --name "^Folivex 2.6$" 2>/dev/null | head -n 1); [ -n "$win" ]' ||
    fail "the window did not appear"

geometry() { eval "$(xdotool getwindowgeometry --shell "$win")"; }

# Drags with the left button from ($1, $2) by ($3, $4), in steps.
drag() {
    xdotool mousemove "$1" "$2"
    sleep 0.3
    xdotool mousedown 1
    sleep 0.2
    for step in 1 2 3 4; do
        xdotool mousemove $(($1 + $3 * step / 4)) $(($2 + $4 * step / 4))
        sleep 0.1
    done
    xdotool mouseup 1
}

geometry
[ "$WIDTH" = 724 ] && [ "$HEIGHT" = 534 ] || fail "opened at ${WIDTH}x$HEIGHT"
x0=$X y0=$Y

# The right edge, then the left edge, then the bottom-right corner.
drag $((X + WIDTH - 2)) $((Y + HEIGHT / 2)) 200 0
await 'geometry; [ "$WIDTH" -ge 900 ]' || fail "the right edge did not resize: ${WIDTH}x$HEIGHT"
[ "$X" = "$x0" ] || fail "the right edge moved the window"
drag $((X + 1)) $((Y + HEIGHT / 2)) -100 0
await 'geometry; [ "$WIDTH" -ge 1000 ] && [ "$X" -lt "$x0" ]' || fail "the left edge did not resize: $X ${WIDTH}x$HEIGHT"
drag $((X + WIDTH - 3)) $((Y + HEIGHT - 3)) 80 100
await 'geometry; [ "$HEIGHT" -ge 610 ]' || fail "the corner did not resize: ${WIDTH}x$HEIGHT"
[ "$WIDTH" -ge 1060 ] || fail "the corner resized one way only: ${WIDTH}x$HEIGHT"
wide=$WIDTH high=$HEIGHT

# A double click on the title strip maximises to the whole screen (there are
# no panels), and another restores.
xdotool mousemove $((X + 300)) $((Y + 15))
sleep 0.3
xdotool click --repeat 2 --delay 80 1
await 'geometry; [ "$WIDTH" = 1600 ] && [ "$HEIGHT" = 1000 ]' || fail "maximised to ${WIDTH}x$HEIGHT"
# The manager reports the maximised state after the new size.
sleep 1.5
xdotool mousemove 300 15
sleep 0.3
xdotool click --repeat 2 --delay 80 1
await 'geometry; [ "$WIDTH" = "$wide" ] && [ "$HEIGHT" = "$high" ]' || fail "restored to ${WIDTH}x$HEIGHT"
echo "PASS: $wm resized the window from its edges and corner, maximised and restored it"
