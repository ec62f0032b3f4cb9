#!/bin/sh
# Runs a test on its own X server (Xvfb) under a window manager (openbox), which is what hands the
# activation back to a window when a box over it closes. Without them the test runs on the offscreen
# platform, where it reports itself skipped.
set -u
test_program="$1"
shift
if ! command -v Xvfb >/dev/null 2>&1 || ! command -v openbox >/dev/null 2>&1; then
    QT_QPA_PLATFORM=offscreen exec "$test_program" "$@"
fi

work=$(mktemp -d)
xvfb=
openbox=
trap 'kill $openbox $xvfb 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT INT TERM
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
tries=0
while [ ! -s "$work/display" ] && [ "$tries" -lt 200 ]; do
    sleep 0.05
    tries=$((tries + 1))
done
if [ ! -s "$work/display" ]; then
    QT_QPA_PLATFORM=offscreen "$test_program" "$@"
    exit $?
fi
DISPLAY=":$(cat "$work/display")"
export DISPLAY

# openbox runs the start-up command once it manages the screen; before that no window is activated.
openbox --startup "touch $work/managed" >/dev/null 2>&1 &
openbox=$!
tries=0
while [ ! -e "$work/managed" ] && [ "$tries" -lt 200 ]; do
    sleep 0.05
    tries=$((tries + 1))
done
if [ ! -e "$work/managed" ]; then
    QT_QPA_PLATFORM=offscreen "$test_program" "$@"
    exit $?
fi

QT_QPA_PLATFORM=xcb "$test_program" "$@"
