#!/usr/bin/env bash
# The processor time and page faults of answering a click on a card (bench/click_probe.cpp)
# under Xvfb at the pixel ratios 1, 1.5 and 2, beside a bare Qt window doing the same in
# the same process. Goals: at most 2 ms at ratio 1 and 4 ms at ratio 2.
#   bench/click.sh <build dir configured with -DTARLYK_BENCH=ON>
set -uo pipefail
build="${1:-build}"
clicks="${CLICKS:-200}"
ratios="${RATIOS:-1 1.5 2}"
probe="$build/tarlyk_click_probe"
if [ ! -x "$probe" ]; then
  echo "click: $probe is missing (configure with -DTARLYK_BENCH=ON); skipped"
  exit 0
fi
if ! command -v Xvfb >/dev/null 2>&1; then
  echo "click: Xvfb is not installed; skipped"
  exit 0
fi
work="$(mktemp -d)"
Xvfb -displayfd 3 -screen 0 3200x2400x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")" QT_QPA_PLATFORM=xcb
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
echo "click: load average $(cut -d' ' -f1-3 /proc/loadavg)"
for r in $ratios; do
  QT_SCALE_FACTOR="$r" "$probe" "$build" "$clicks" 2>/dev/null ||
    echo "click: the probe failed at ratio $r" >&2
done
