#!/usr/bin/env bash
# The processor time and page faults of answering a click, under Xvfb at the pixel ratios
# 1, 1.5 and 2, beside a bare Qt window doing the same in the same run. Goals: at most
# 2 ms at ratio 1 and 4 ms at ratio 2.
#  - In one process (bench/click_probe.cpp): clicks on a card of the person's hand that
#    may be played, each measured alone, medians, the game and the bare window in turn.
#  - The real programs, clicked with xdotool over the person's hand (hints, the status
#    line, cards that may not be played and the turns all included; the end-of-game rain
#    switched off): the processor time and faults of all their threads over the clicks,
#    per click, the game and the bare program in turn, RUNS rounds, medians.
#   bench/click.sh <build dir configured with -DTARLYK_BENCH=ON>
set -uo pipefail
build="${1:-build}"
clicks="${CLICKS:-200}"
runs="${RUNS:-3}"
ratios="${RATIOS:-1 1.5 2}"
probe="$build/tarlyk_click_probe"
for f in tarlyk tarlyk_bare_window tarlyk_click_probe; do
  if [ ! -x "$build/$f" ]; then
    echo "click: $build/$f is missing (configure with -DTARLYK_BENCH=ON); skipped"
    exit 0
  fi
done
for tool in Xvfb xdotool; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "click: $tool is not installed; skipped"
    exit 0
  fi
done
work="$(mktemp -d)"
Xvfb -displayfd 3 -screen 0 3200x2400x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
pid=""
trap 'kill $pid $xvfb 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")" QT_QPA_PLATFORM=xcb
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_CONFIG_HOME/tarlyk" "$XDG_RUNTIME_DIR" "$work/bin"
chmod 700 "$XDG_RUNTIME_DIR"
printf '[Main]\r\nEndAnimation=0\r\n' >"$XDG_CONFIG_HOME/tarlyk/$(id -un).dat"
game="$work/bin/tarlyk-click-$$"
cp "$build/tarlyk" "$game"
[ -e "$build/Cards.dll" ] && cp "$build/Cards.dll" "$work/bin/"
echo "click: load average $(cut -d' ' -f1-3 /proc/loadavg)"

for r in $ratios; do
  QT_SCALE_FACTOR="$r" "$probe" "$build" "$clicks" 2>/dev/null ||
    echo "click: the probe failed at ratio $r" >&2
done

cpu_ns() {  # all live threads of $pid
  local s=0 t
  for t in /proc/"$pid"/task/*/schedstat; do s=$((s + $(cut -d' ' -f1 "$t"))); done
  echo "$s"
}
faults() { awk '{print $10}' /proc/"$pid"/stat; }
# Clicks the program $1 at ratio $2 n times over where the hand lies; prints "ms faults"
# per click.
real_clicks() {
  QT_SCALE_FACTOR="$2" "$1" >/dev/null 2>&1 &
  pid=$!
  local win
  win="$(xdotool search --sync --onlyvisible --pid "$pid" --name '^Тарлык$' 2>/dev/null | head -n1)"
  [ -n "$win" ] || { kill "$pid"; return 1; }
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$win")"
  local c0 f0 c1 f1 i
  ratio="$2"
  top="$(awk -v y="$Y" -v h="$HEIGHT" -v r="$ratio" 'BEGIN {printf "%d", y + h - 514 * r}')"
  # The screen position of a table position.
  at() {
    awk -v x0="$X" -v y0="$top" -v r="$ratio" -v x="$1" -v y="$2" \
      'BEGIN {printf "%d %d", x0 + x * r, y0 + y * r}'
  }
  xdotool mousemove $(at 300 300) click 1
  sleep 0.5
  c0="$(cpu_ns)" f0="$(faults)"
  local xs=(190 265 340 415 490 565 120 640)
  for i in $(seq "$clicks"); do
    xdotool mousemove $(at "${xs[$((i % 8))]}" 420) click 1
    sleep 0.03
  done
  sleep 0.3
  c1="$(cpu_ns)" f1="$(faults)"
  kill "$pid"
  wait "$pid" 2>/dev/null
  awk -v c=$((c1 - c0)) -v f=$((f1 - f0)) -v n="$clicks" 'BEGIN {printf "%.3f %.1f\n", c / 1e6 / n, f / n}'
}
for _ in $(seq "$runs"); do
  for r in $ratios; do
    real_clicks "$game" "$r" >>"$work/game-$r" || echo "click: the game showed no window" >&2
    real_clicks "$build/tarlyk_bare_window" "$r" >>"$work/bare-$r" ||
      echo "click: the bare window showed no window" >&2
  done
done
median() { awk -v c="$1" '{print $c}' | sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
for r in $ratios; do
  [ -s "$work/game-$r" ] && [ -s "$work/bare-$r" ] || continue
  awk -v r="$r" -v gm="$(median 1 <"$work/game-$r")" -v gf="$(median 2 <"$work/game-$r")" \
    -v bm="$(median 1 <"$work/bare-$r")" -v bf="$(median 2 <"$work/bare-$r")" 'BEGIN {
    printf "click on the real programs at ratio %s: %.2f ms processor, %.1f minor faults; bare program %.2f ms, %.1f faults: %.2fx\n", r, gm, gf, bm, bf, gm / bm
  }'
done
