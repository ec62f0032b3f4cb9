#!/bin/sh
# Runs a test the way a screen reader user runs the program: on its own X server (Xvfb) and session
# bus, with the accessibility bus told that a screen reader is running, so that Qt's AT-SPI bridge
# wakes up and delivers accessibility events. Without Xvfb or D-Bus the test runs as it is and skips.
set -u
test_program="$1"
shift
if ! command -v Xvfb >/dev/null 2>&1 || ! command -v dbus-run-session >/dev/null 2>&1; then
    exec "$test_program" "$@"
fi

work=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT INT TERM
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
tries=0
while [ ! -s "$work/display" ] && [ "$tries" -lt 100 ]; do
    sleep 0.05
    tries=$((tries + 1))
done
if [ ! -s "$work/display" ]; then
    "$test_program" "$@"
    exit $?
fi

DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work" \
    dbus-run-session -- sh -c '
        dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
            org.freedesktop.DBus.Properties.Set string:org.a11y.Status \
            string:ScreenReaderEnabled variant:boolean:true >/dev/null 2>&1
        exec "$@"' sh "$test_program" "$@"
