#!/usr/bin/env bash
# Runs a command in a private X server with a small window manager, a private D-Bus
# session and the accessibility bus, so that Qt programs started by it publish their
# widgets over AT-SPI and Qt's accessibility bridge is active:
#   with_atspi.sh <command> [arguments...]
# The command finds TARLYK_ATSPI=1 and a fresh XDG_CONFIG_HOME in its environment.
# Exits 77 (skipped) when Xvfb, openbox, xdotool, xprop, dbus-launch or at-spi2-core is
# missing.
set -u

launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
  [ -x "$candidate" ] && launcher="$candidate" && break
done
for tool in Xvfb openbox xdotool xprop dbus-launch dbus-send setsid; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "with_atspi: $tool is not installed; skipped"
    exit 77
  fi
done
if [ -z "$launcher" ]; then
  echo "with_atspi: at-spi2-core is not installed; skipped"
  exit 77
fi

work="$(mktemp -d)"
pids=()
groups=()
bus_pid=""
cleanup() {
  for g in "${groups[@]}"; do kill -- "-$g" 2>/dev/null; done
  [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
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
  echo "with_atspi: Xvfb did not start"
  exit 1
fi
export DISPLAY=":$(head -n1 "$work/display")"
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
# Windows are activated through the window manager: wait until it is there.
for _ in $(seq 200); do
  xprop -root _NET_SUPPORTED 2>/dev/null | grep -q _NET_ACTIVE_WINDOW && break
  sleep 0.1
done

# The session bus, then the accessibility bus in a process group of its own, so that the
# bus daemon and the registry it starts go with it.
eval "$(dbus-launch --sh-syntax)"
bus_pid="${DBUS_SESSION_BUS_PID:-}"
export DBUS_SESSION_BUS_ADDRESS
setsid "$launcher" --launch-immediately >/dev/null 2>&1 &
groups+=($!)
for _ in $(seq 100); do
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >/dev/null 2>&1 && break
  sleep 0.1
done

export QT_QPA_PLATFORM=xcb
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export TARLYK_ATSPI=1
export XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
"$@"
rc=$?
exit "$rc"
