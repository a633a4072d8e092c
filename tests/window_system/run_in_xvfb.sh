#!/usr/bin/env bash
# Runs a test program on the xcb platform inside a private X server with a small window
# manager, so that real mapping, exposure and window frames can be looked at.
#   run_in_xvfb.sh <program> [arguments...]
# Exits 77 (skipped) when Xvfb, openbox or xprop is missing.
set -u
for tool in Xvfb openbox xprop; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "window system: $tool is not installed; skipped"
    exit 77
  fi
done

work="$(mktemp -d)"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A server on a free display number of its own choosing.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
if [ ! -s "$work/display" ]; then
  echo "window system: Xvfb did not start"
  exit 1
fi
export DISPLAY=":$(head -n1 "$work/display")"
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
# The tests may pause the window manager to play a slow desktop.
export TARLYK_TEST_WM_PID=$!
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done

export QT_QPA_PLATFORM=xcb
export XDG_CONFIG_HOME="$work/config"
"$@"
