#!/usr/bin/env bash
# Start-up time (process start until the main window is mapped) and resident memory of
# the game under Xvfb, against a bare Qt 6 program showing an empty window of the same
# size, measured in the same run. Prints medians and the ratios.
#   bench/startup.sh <build dir configured with -DTARLYK_BENCH=ON>
set -uo pipefail
build="${1:-build}"
runs="${RUNS:-9}"
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
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"
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

measure() {  # program -> lines "ms kib"
  for _ in $(seq "$runs"); do
    "$build/tarlyk_map_timer" 'Тарлык' 300 "$1" || echo "startup: $1 showed no main window" >&2
  done
}
median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }

measure "$build/tarlyk_bare_window" >"$work/bare"
measure "$game" >"$work/game"
bare_ms="$(cut -d' ' -f1 "$work/bare" | median)"
game_ms="$(cut -d' ' -f1 "$work/game" | median)"
bare_kib="$(cut -d' ' -f2 "$work/bare" | median)"
game_kib="$(cut -d' ' -f2 "$work/game" | median)"
awk -v bm="$bare_ms" -v gm="$game_ms" -v bk="$bare_kib" -v gk="$game_kib" 'BEGIN {
  printf "startup: bare window mapped after %.1f ms, game main window after %.1f ms: ratio %.2f (+%.1f ms)\n", bm, gm, gm / bm, gm - bm
  printf "startup: resident memory bare %.1f MiB, game %.1f MiB: ratio %.2f (+%.1f MiB)\n", bk / 1024, gk / 1024, gk / bk, (gk - bk) / 1024
}'
