#!/usr/bin/env bash
# Start-up of the game under Xvfb at the pixel ratios 1, 1.5 and 2 (QT_SCALE_FACTOR),
# against a bare Qt 6 program showing an empty window of the same size, all in the same
# run and interleaved (bare and game at every ratio in turn, RUNS rounds). Measured from
# process start until the main window is mapped: the time, and with the first showing
# the processor time (all threads, kernel time included) and minor page faults, and the
# resident memory a moment later. Prints medians, the ratios to the bare window, and the
# ratio of the game at each ratio to the game at ratio 1. Goals: the game's start at
# most 2.0x the bare window's; at ratio 2 within 15% of ratio 1; memory at most 10 MiB
# above the bare window at ratio 1.
# Both programs run on a session bus of their own, as on any desktop. Without one, the
# first window a Qt program shows makes it start the bus (dbus-launch, some 30 ms, on
# the main thread, while the accessibility bridge connects): the bare window is mapped
# by then, the game's main window is not (its splash comes first), so a run without a
# bus would count that launch against the game alone.
#   bench/startup.sh <build dir configured with -DTARLYK_BENCH=ON>
set -uo pipefail
build="${1:-build}"
runs="${RUNS:-9}"
ratios="${RATIOS:-1 1.5 2}"
for f in tarlyk tarlyk_bare_window tarlyk_map_timer; do
  if [ ! -x "$build/$f" ]; then
    echo "startup: $build/$f is missing (configure with -DTARLYK_BENCH=ON); skipped"
    exit 0
  fi
done
if ! command -v Xvfb >/dev/null 2>&1; then
  echo "startup: Xvfb is not installed; skipped"
  exit 0
fi

work="$(mktemp -d)"
# -noreset: left alone, Xvfb resets itself whenever its last client leaves, so every
# start would meet a server just made (a new frame buffer whose pages all fault in as
# they are first drawn, four times as many at ratio 2), which no desktop does.
Xvfb -displayfd 3 -screen 0 2880x2160x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb=$!
bus_pid=""
trap 'kill $xvfb $bus_pid 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"
bus_pid=""
if command -v dbus-daemon >/dev/null 2>&1; then
  dbus-daemon --session --fork --nopidfile --print-address=4 --print-pid=5 \
    4>"$work/bus-address" 5>"$work/bus-pid" && {
    DBUS_SESSION_BUS_ADDRESS="$(head -n1 "$work/bus-address")"
    export DBUS_SESSION_BUS_ADDRESS
    bus_pid="$(head -n1 "$work/bus-pid")"
  }
fi
if [ -z "$bus_pid" ]; then
  echo "startup: no session bus could be started; the game's figures include one being launched"
fi
# The single-instance lock is named after the executable's file name: a copy under a
# name of its own keeps a game that happens to be running from turning this run into
# a second copy.
mkdir -p "$work/bin"
game="$work/bin/tarlyk-startup-$$"
cp "$build/tarlyk" "$game"
[ -e "$build/Cards.dll" ] && cp "$build/Cards.dll" "$work/bin/"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
export QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

load_before="$(cut -d' ' -f1-3 /proc/loadavg)"
for _ in $(seq "$runs"); do
  for r in $ratios; do
    for who in bare game; do
      program="$build/tarlyk_bare_window"
      [ "$who" = game ] && program="$game"
      line="$(QT_SCALE_FACTOR="$r" "$build/tarlyk_map_timer" 'Тарлык' 300 "$program")" ||
        { echo "startup: $who at ratio $r showed no main window" >&2; continue; }
      echo "$line" >>"$work/$who-$r"
    done
  done
done
load_after="$(cut -d' ' -f1-3 /proc/loadavg)"

median() {  # column -> median of that column of stdin
  awk -v c="$1" '{print $c}' | sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'
}
echo "startup: $runs rounds, load average $load_before before, $load_after after"
first_game=""
for r in $ratios; do
  [ -s "$work/bare-$r" ] && [ -s "$work/game-$r" ] || continue
  bm="$(median 1 <"$work/bare-$r")" gm="$(median 1 <"$work/game-$r")"
  bk="$(median 2 <"$work/bare-$r")" gk="$(median 2 <"$work/game-$r")"
  bc="$(median 3 <"$work/bare-$r")" gc="$(median 3 <"$work/game-$r")"
  bf="$(median 4 <"$work/bare-$r")" gf="$(median 4 <"$work/game-$r")"
  [ -z "$first_game" ] && first_game="$gm"
  awk -v r="$r" -v bm="$bm" -v gm="$gm" -v bk="$bk" -v gk="$gk" -v bc="$bc" -v gc="$gc" \
    -v bf="$bf" -v gf="$gf" -v g1="$first_game" 'BEGIN {
    printf "startup at ratio %s: mapped after %.1f ms (bare %.1f ms): %.2fx the bare window, %.2fx the game at the first ratio\n", r, gm, bm, gm / bm, gm / g1
    printf "startup at ratio %s: processor %.1f ms (bare %.1f ms), minor faults %d (bare %d)\n", r, gc, bc, gf, bf
    printf "startup at ratio %s: resident memory %.1f MiB (bare %.1f MiB): +%.1f MiB\n", r, gk / 1024, bk / 1024, (gk - bk) / 1024
  }'
done
