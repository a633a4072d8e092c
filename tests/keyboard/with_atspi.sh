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
# shellcheck source=SCRIPTDIR/../x_session.sh
. "$(dirname "${BASH_SOURCE[0]}")/../x_session.sh"
x_require with_atspi "" Xvfb openbox xdotool xprop dbus-launch dbus-send setsid
if [ -z "$launcher" ]; then
  echo "with_atspi: at-spi2-core is not installed; skipped"
  exit 77
fi

x_work
if ! x_start_xvfb; then
  echo "with_atspi: Xvfb did not start"
  exit 1
fi
# Windows are activated through the window manager: wait until it is there.
x_start_openbox _NET_SUPPORTED _NET_ACTIVE_WINDOW 200

# The session bus, then the accessibility bus in a process group of its own, so that the
# bus daemon and the registry it starts go with it.
eval "$(dbus-launch --sh-syntax)"
# The bus daemon is ended before the X server and the window manager.
[ -n "${DBUS_SESSION_BUS_PID:-}" ] && pids=("$DBUS_SESSION_BUS_PID" "${pids[@]}")
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
