#!/usr/bin/env bash
# Runs a test program on the xcb platform inside a private X server with a small window
# manager, so that real mapping, exposure and window frames can be looked at.
#   run_in_xvfb.sh <program> [arguments...]
# Exits 77 (skipped) when Xvfb, openbox or xprop is missing.
set -u
# shellcheck source=SCRIPTDIR/../x_session.sh
. "$(dirname "${BASH_SOURCE[0]}")/../x_session.sh"
x_require "window system" "" Xvfb openbox xprop
x_work
if ! x_start_xvfb; then
  echo "window system: Xvfb did not start"
  exit 1
fi
x_start_openbox _NET_SUPPORTING_WM_CHECK 'window id' 100
# The tests may pause the window manager to play a slow desktop.
export TARLYK_TEST_WM_PID="$x_wm_pid"

export QT_QPA_PLATFORM=xcb
export XDG_CONFIG_HOME="$work/config"
"$@"
