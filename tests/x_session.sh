# shellcheck shell=bash
# Shared pieces of the test scripts that run programs in a private display session:
# the tools check, a private work folder cleaned up on exit, a private X server and a
# small window manager. Sourced, not run:
#   . "$(dirname "${BASH_SOURCE[0]}")/../x_session.sh"

# Exits 77 (skipped) unless every tool is installed; <hint> follows the message.
x_require() {  # tag hint tool...
  local tag="$1" hint="$2" tool
  shift 2
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null 2>&1; then
      echo "$tag: $tool is not installed; skipped$hint"
      exit 77
    fi
  done
}

# A private folder in $work (mktemp makes it 0700, as a Wayland compositor wants its
# runtime directory). On exit the process groups in `groups`, then the processes in `pids`
# are ended and the folder is removed.
x_work() {
  work="$(mktemp -d)"
  pids=()
  groups=()
  trap x_cleanup EXIT
}
x_cleanup() {
  local g p
  for g in "${groups[@]}"; do kill -- "-$g" 2>/dev/null; done
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}

# Starts Xvfb on a free display number of its own choosing and exports DISPLAY; returns 1
# when the server does not come up.
x_start_xvfb() {
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || return 1
  export DISPLAY=":$(head -n1 "$work/display")"
}

# Starts openbox and waits, up to <tenths> of a second, until the root window's <property>
# holds <pattern>. The window manager's pid is left in x_wm_pid.
x_start_openbox() {  # property pattern tenths
  openbox --sm-disable >/dev/null 2>&1 &
  x_wm_pid=$!
  pids+=("$x_wm_pid")
  for _ in $(seq "$3"); do
    xprop -root "$1" 2>/dev/null | grep -q "$2" && break
    sleep 0.1
  done
}
