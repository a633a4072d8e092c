#!/usr/bin/env bash
# The real game in a headless Wayland compositor (weston) that also runs an X server
# (Xwayland):
#   - offered both, the game goes through the X server: its window appears there and the
#     boss key, sent to the X server, disguises it;
#   - a QT_QPA_PLATFORM the person set wins: with "wayland" it runs natively despite DISPLAY;
#   - without DISPLAY it runs natively, its window appears in the compositor, it stays up
#     and ends on SIGTERM like any program, without a crash;
#   - the window-placement test program, run natively, keeps the stored positions.
#   wayland_smoke.sh <tarlyk executable> [<test_window_placement executable>]
# Exits 77 (skipped) when weston, Xwayland, xdotool or xprop is missing.
set -u
exe="$1"
placement="${2:-}"

# shellcheck source=SCRIPTDIR/../x_session.sh
. "$(dirname "${BASH_SOURCE[0]}")/../x_session.sh"
x_require wayland " (apt-get install weston xwayland xdotool x11-utils)" \
  weston weston-debug Xwayland xdotool xprop
x_work
fail() {
  echo "wayland: FAIL: $*"
  for log in "$work"/*.log; do
    [ -s "$log" ] && sed "s|^|  $(basename "$log" .log): |" "$log" | tail -n 40
  done
  exit 1
}

# A session of our own: nothing from the caller's desktop leaks in.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM QT_LOGGING_RULES
export XDG_RUNTIME_DIR="$work"
export XDG_CONFIG_HOME="$work/config"
export XDG_SESSION_TYPE=wayland
mkdir -p "$XDG_CONFIG_HOME"
socket="tarlyk-wayland-$$"

weston --backend=headless-backend.so --socket="$socket" --xwayland --idle-time=0 \
  --no-config --debug >"$work/weston.log" 2>&1 &
pids+=($!)
xdisplay=""
for _ in $(seq 100); do
  xdisplay="$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log")"
  [ -S "$work/$socket" ] && [ -n "$xdisplay" ] && break
  sleep 0.1
done
[ -S "$work/$socket" ] || fail "weston did not start"
[ -n "$xdisplay" ] || fail "weston did not offer an X server"
echo "wayland: compositor $socket, X server $xdisplay"

# The compositor's own account of its windows: each line names the client's PID.
wayland_window() {  # pid: waits until that process has a top-level window "Тарлык"
  for _ in $(seq 150); do
    WAYLAND_DISPLAY="$socket" timeout 5 weston-debug scene-graph 2>/dev/null |
      grep -q "role xdg_toplevel, PID $1, .*top-level window 'Тарлык'" && return 0
    sleep 0.1
  done
  return 1
}
x_window() {  # prints the id of the visible X window "Тарлык" once it exists
  local id
  for _ in $(seq 150); do
    id="$(DISPLAY="$xdisplay" xdotool search --onlyvisible --name '^Тарлык$' 2>/dev/null | head -n1)"
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  return 1
}
# Ends the game with SIGTERM: it must still be running, and die of that signal only.
terminate() {  # pid, what
  kill -0 "$1" 2>/dev/null || fail "$2: the game ended by itself"
  kill -TERM "$1"
  wait "$1"
  local rc=$?
  [ "$rc" -eq 143 ] || [ "$rc" -eq 0 ] || fail "$2: the game ended with status $rc on SIGTERM"
}
# Qt's own report of the platform plugin it loaded (its logging, not the game's text).
loaded() {  # log, plugin
  grep -q "Successfully loaded Qt platform plugin \"$2\"" "$1"
}

# A copy under a file name of its own has a single-instance lock of its own.
mkdir -p "$work/bin"
name="tarlyk-wayland-$$-${work##*.}"
cp "$exe" "$work/bin/$name"
ln -s "$(cd "$(dirname "$exe")" && pwd)/Cards.dll" "$work/bin/Cards.dll"
game="$work/bin/$name"
export QT_LOGGING_RULES="qt.qpa.plugin=true"

# 1. Wayland and an X server: through the X server, boss key armed.
WAYLAND_DISPLAY="$socket" DISPLAY="$xdisplay" "$game" >"$work/xwayland.log" 2>&1 &
pid=$!
pids+=("$pid")
win="$(x_window)" || fail "xwayland: no window in the X server"
loaded "$work/xwayland.log" xcb || fail "xwayland: Qt did not load its xcb platform"
DISPLAY="$xdisplay" xdotool key --window root ctrl+Return
disguise='"Документ1 - Microsoft Word"'
for _ in $(seq 50); do
  DISPLAY="$xdisplay" xprop -id "$win" _NET_WM_NAME 2>/dev/null | grep -qF "$disguise" && break
  sleep 0.1
done
DISPLAY="$xdisplay" xprop -id "$win" _NET_WM_NAME 2>/dev/null | grep -qF "$disguise" ||
  fail "xwayland: Ctrl+Enter did not disguise the game"
terminate "$pid" xwayland
echo "wayland: with an X server: window $win in $xdisplay, boss key armed"

# 2. The person's QT_QPA_PLATFORM wins over the X server.
QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY="$socket" DISPLAY="$xdisplay" "$game" \
  >"$work/chosen.log" 2>&1 &
pid=$!
pids+=("$pid")
wayland_window "$pid" || fail "chosen: no window in the compositor"
loaded "$work/chosen.log" wayland || fail "chosen: Qt did not load its wayland platform"
[ -z "$(DISPLAY="$xdisplay" xdotool search --name '^Тарлык' 2>/dev/null)" ] ||
  fail "chosen: a window appeared in the X server"
terminate "$pid" chosen
echo "wayland: QT_QPA_PLATFORM=wayland respected"

# 3. No X server: natively on Wayland, the boss key quietly unarmed.
WAYLAND_DISPLAY="$socket" "$game" >"$work/native.log" 2>&1 &
pid=$!
pids+=("$pid")
wayland_window "$pid" || fail "native: no window in the compositor"
loaded "$work/native.log" wayland || fail "native: Qt did not load its wayland platform"
sleep 1
terminate "$pid" native
echo "wayland: without an X server: native window, ended on SIGTERM"

# 4. Stored window positions survive a session where the compositor places the windows.
if [ -n "$placement" ]; then
  QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY="$socket" "$placement" >"$work/placement.log" 2>&1 ||
    fail "placement: the stored window positions changed"
  echo "wayland: stored window positions kept"
fi
echo "wayland: passed"
