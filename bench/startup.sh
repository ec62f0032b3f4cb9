#!/bin/bash
# Start-up of the program against a bare Qt window of the same size (bench/startup/barewindow.cpp),
# started alternately under Xvfb and openbox. Prints the medians of the time to the first map, the
# time to the first paint, the processor time up to the first paint and the peak resident set (VmHWM),
# and the median of the per-pair ratios with their quartiles, which show how noisy the machine was.
# On a busy machine the elapsed times vary with the load; the processor time much less.
#
#   bench/startup.sh [-b BUILD_DIR] [-n PAIRS] [-d DISPLAY_NUMBER] [-s SETTLE_MS] [-p PROGRAM] [-i]
#
# With -i it counts instead: the instructions each executes up to its first paint, under valgrind's
# callgrind. The counts hardly vary from run to run, so they show a change of a few per cent that the
# times of a shared machine hide.
#
# BUILD_DIR (default build-bench, as `make bench` makes it) must be configured with -DKRV_BENCHMARKS=ON
# and a Release or RelWithDebInfo build type. PROGRAM (default BUILD_DIR/app/krv11007) is measured
# against the bare window of BUILD_DIR, such as a copy of an earlier build.
set -euo pipefail

build=build-bench
pairs=30
display_number=99
settle_ms=1500
program=
count=
while getopts "b:n:d:s:p:i" option; do
    case $option in
    b) build=$OPTARG ;;
    n) pairs=$OPTARG ;;
    d) display_number=$OPTARG ;;
    s) settle_ms=$OPTARG ;;
    p) program=$OPTARG ;;
    i) count=1 ;;
    *) sed -n '/^#   bench/p' "$0" >&2; exit 2 ;;
    esac
done

for tool in Xvfb openbox xdpyinfo xprop ${count:+valgrind}; do
    command -v "$tool" >/dev/null || { echo "missing $tool: apt-get install xvfb openbox x11-utils valgrind" >&2; exit 1; }
done
program=${program:-$build/app/krv11007}
bare=$build/bench/startup/bench_bare_window
measure=$build/bench/startup/bench_first_paint
for executable in "$program" "$bare" "$measure"; do
    [ -x "$executable" ] || { echo "missing $executable: build with -DKRV_BENCHMARKS=ON (make bench)" >&2; exit 1; }
done
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")
case $build_type in
Release | RelWithDebInfo) ;;
*) echo "$build is a '$build_type' build; measure a Release or RelWithDebInfo build" >&2; exit 1 ;;
esac

# An X server already on that display would answer in place of ours, and the figures would come from
# another session with another window manager.
[ ! -e "/tmp/.X$display_number-lock" ] || { echo "display :$display_number is in use; choose another with -d" >&2; exit 1; }
export DISPLAY=:$display_number QT_QPA_PLATFORM=xcb
runtime=$(mktemp -d)
export XDG_RUNTIME_DIR=$runtime
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR WAYLAND_DISPLAY

Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
openbox_pid=
results=$(mktemp)
# Not under errexit: an openbox that has already gone must not leave the X server running.
trap 'set +e; rm -rf "$results" "$runtime"; [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null; kill "$xvfb" 2>/dev/null; wait 2>/dev/null' EXIT
for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start on $DISPLAY" >&2; exit 1; }
openbox >/dev/null 2>&1 &
openbox_pid=$!
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done

if [ -n "$count" ]; then
    # The instructions up to the first paint. D-Bus's autolaunch forks a child whose counts end at the
    # fork; the process's own are the largest.
    instructions() {
        local counts
        counts=$(mktemp -d)
        LD_PRELOAD=$build/bench/startup/libbench_quit_after_paint.so \
            valgrind --tool=callgrind --callgrind-out-file="$counts/%p" "$1" >/dev/null 2>&1
        awk '/^(summary|totals):/ { print $2 }' "$counts"/* | sort -n | tail -1
        rm -rf "$counts"
    }
    program_count=$(instructions "$program")
    bare_count=$(instructions "$bare")
    [ -n "$program_count" ] && [ -n "$bare_count" ] || { echo "callgrind counted nothing" >&2; exit 1; }
    awk -v program="$program_count" -v bare="$bare_count" 'BEGIN {
        printf "instructions to the first paint: program %.1f M, bare window %.1f M, ratio %.3f\n",
               program / 1e6, bare / 1e6, program / bare }'
    exit 0
fi

# One line per run: <which> <map ms> <paint ms> <CPU ms to the paint> <VmHWM KiB>
run() {
    local which=$1 executable=$2 figures
    # A failed run stops the benchmark: a blank line would count as a zero time and pull the medians down.
    figures=$("$measure" "$settle_ms" "$executable") || { echo "the $which run failed" >&2; exit 1; }
    echo "$which $figures" >>"$results"
    sleep 0.2
}

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
# Warm the page cache and the font cache; not counted.
"$measure" "$settle_ms" "$program" >/dev/null
"$measure" "$settle_ms" "$bare" >/dev/null
for pair in $(seq "$pairs"); do
    # Alternating which goes first cancels whatever the first of a pair pays for the second.
    if ((pair % 2)); then
        run program "$program"; run bare "$bare"
    else
        run bare "$bare"; run program "$program"
    fi
done
echo "load average after:  $(cut -d' ' -f1-3 /proc/loadavg)"

awk -v pairs="$pairs" -v build_type="$build_type" '
# The value at that fraction of the sorted values (nearest rank).
function sorted_at(values, n, fraction,   copy, i, j, value) {
    for (i = 1; i <= n; ++i) {
        value = values[i]
        for (j = i - 1; j >= 1 && copy[j] > value; --j) copy[j + 1] = copy[j]
        copy[j + 1] = value
    }
    return copy[int(fraction * (n - 1) + 0.5) + 1]
}
$1 == "program" { ++np; pmap[np] = $2; ppaint[np] = $3; pcpu[np] = $4; phwm[np] = $5 }
$1 == "bare"    { ++nb; bmap[nb] = $2; bpaint[nb] = $3; bcpu[nb] = $4; bhwm[nb] = $5 }
END {
    for (i = 1; i <= np; ++i) {
        rmap[i] = pmap[i] / bmap[i]; rpaint[i] = ppaint[i] / bpaint[i]; rcpu[i] = pcpu[i] / bcpu[i]
        rhwm[i] = phwm[i] / bhwm[i]
    }
    printf "%d alternating pairs, %s build, VmHWM read %s\n", pairs, build_type, "after the settling time"
    printf "%-18s %10s %12s %8s   %s\n", "median", "program", "bare window", "ratio", "ratio quartiles"
    printf "%-18s %10.1f %12.1f %8.3f   %.3f-%.3f\n", "first map (ms)", sorted_at(pmap, np, .5), sorted_at(bmap, nb, .5), sorted_at(rmap, np, .5), sorted_at(rmap, np, .25), sorted_at(rmap, np, .75)
    printf "%-18s %10.1f %12.1f %8.3f   %.3f-%.3f\n", "first paint (ms)", sorted_at(ppaint, np, .5), sorted_at(bpaint, nb, .5), sorted_at(rpaint, np, .5), sorted_at(rpaint, np, .25), sorted_at(rpaint, np, .75)
    printf "%-18s %10.1f %12.1f %8.3f   %.3f-%.3f\n", "CPU to paint (ms)", sorted_at(pcpu, np, .5), sorted_at(bcpu, nb, .5), sorted_at(rcpu, np, .5), sorted_at(rcpu, np, .25), sorted_at(rcpu, np, .75)
    printf "%-18s %10.1f %12.1f %8.3f   %.3f-%.3f\n", "peak VmHWM (MiB)", sorted_at(phwm, np, .5) / 1024, sorted_at(bhwm, nb, .5) / 1024, sorted_at(rhwm, np, .5), sorted_at(rhwm, np, .25), sorted_at(rhwm, np, .75)
}' "$results"
