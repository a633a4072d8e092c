#!/usr/bin/env bash
# End-to-end run of the real game in a private X server with a small window manager:
# the main window appears with its size, F2 deals, the boss key hides and disguises the
# window, a second copy shows the 0-001 box and ends, and closing writes the score.
#   xvfb_smoke.sh <tarlyk executable> <x_pixels helper> [<installation prefix>]
# Given the prefix of an installed game (/usr), the run goes through the installed layout:
# the card library is found through the executable's RUNPATH in <prefix>/lib/tarlyk.
# Exits 77 (skipped) when Xvfb, openbox, xdotool or xprop is missing.
set -u
exe="$1"
pixels="$2"
prefix="${3:-}"

# shellcheck source=SCRIPTDIR/../x_session.sh
. "$(dirname "${BASH_SOURCE[0]}")/../x_session.sh"
x_require smoke "" Xvfb openbox xdotool xprop xwininfo
x_work
fail() {
  echo "smoke: FAIL: $*"
  [ -f "$work/game.log" ] && sed 's/^/  game: /' "$work/game.log"
  exit 1
}

x_start_xvfb || fail "Xvfb did not start"
x_start_openbox _NET_SUPPORTING_WM_CHECK 'window id' 100

export XDG_CONFIG_HOME="$work/config"
export QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_CONFIG_HOME"

# Waits until a visible window whose name matches $1 exists; prints its id.
wait_window() {
  local id
  for _ in $(seq 200); do
    id="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1)"
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  return 1
}
wait_exit() {  # pid, tenths of a second
  for _ in $(seq "$2"); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}
prop() { xprop -id "$1" "$2" 2>/dev/null; }

# A copy under a file name of its own has a lock of its own, so neither a game the
# developer has open nor a smoke run of another build tree turns this run into a second copy.
name="tarlyk-smoke-$$-${work##*.}"
if [ -n "$prefix" ]; then
  # A tree shaped like the installed one, its lib and share those of the prefix.
  bindir="$work/tree/$(basename "$(dirname "$exe")")"
  mkdir -p "$bindir"
  ln -s "$prefix/lib" "$work/tree/lib"
  ln -s "$prefix/share" "$work/tree/share"
else
  bindir="$work/bin"
  mkdir -p "$bindir"
  ln -s "$(cd "$(dirname "$exe")" && pwd)/Cards.dll" "$bindir/Cards.dll"
fi
cp "$exe" "$bindir/$name"
exe="$bindir/$name"

"$exe" >"$work/game.log" 2>&1 &
game=$!
pids+=("$game")
win="$(wait_window '^Тарлык$')" || fail "the main window did not appear"
echo "smoke: main window $win"

# Size: 710 wide; 514 high below the menu bar.
info="$(xwininfo -id "$win")"
width="$(awk '/^  Width:/ {print $2}' <<<"$info")"
height="$(awk '/^  Height:/ {print $2}' <<<"$info")"
left="$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")"
top="$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")"
[ "$width" = 710 ] || fail "main window is $width pixels wide"
[ "$height" -gt 514 ] && [ "$height" -lt 560 ] || fail "main window is $height pixels high"
table_top=$((top + height - 514))

# Counts card-sized runs (60..80 pixels) that differ from the table's edge colour in the
# computer's row, 48 pixels below the cards' top at y = 5.
count_backs() {
  "$pixels" "$left" $((table_top + 5 + 48)) 710 1 | awk '
    { r[NR-1]=$1; g[NR-1]=$2; b[NR-1]=$3 }
    END {
      R=r[705]; G=g[705]; B=b[705]; run=0; cards=0
      for (x = 90; x <= 700; x++) {
        d = (r[x]>R ? r[x]-R : R-r[x]) + (g[x]>G ? g[x]-G : G-g[x]) + (b[x]>B ? b[x]-B : B-b[x])
        if (x < 700 && d > 40) { run++ } else { if (run >= 60 && run <= 80) cards++; run = 0 }
      }
      print cards
    }'
}
before="$(count_backs)"
xdotool windowactivate --sync "$win" >/dev/null 2>&1
xdotool key F2
# Poll rather than sleep a fixed time: a loaded machine may take a while to repaint.
after=0
for _ in $(seq 50); do
  after="$(count_backs)"
  [ "$after" -ge 4 ] && break
  sleep 0.1
done
echo "smoke: card backs in the computer's row: $before before F2, $after after"
[ "$before" -eq 0 ] || fail "cards in the computer's row before any game"
[ "$after" -ge 4 ] && [ "$after" -le 6 ] || fail "F2 did not deal the computer's hand"

# Every picture read on the way here is named as what it is: no image format plugin is
# loaded to guess a format (each costs start-up time and memory for the whole run).
plugins="$(grep -o '/[^ ]*/imageformats/[^ ]*' "/proc/$game/maps" | sort -u | tr '\n' ' ')"
[ -z "$plugins" ] || fail "image format plugins loaded: $plugins"

# A second copy started meanwhile shows only the 0-001 box, then ends.
"$exe" >"$work/second.log" 2>&1 &
second=$!
pids+=("$second")
box="$(wait_window '^Внимание$')" || fail "the second copy showed no box"
[ "$(xdotool search --onlyvisible --name '^Тарлык' | wc -l)" -eq 1 ] ||
  fail "the second copy opened a window of its own"
xdotool windowactivate --sync "$box" >/dev/null 2>&1
xdotool key Return
wait_exit "$second" 100 || fail "the second copy did not end"
wait "$second"
[ $? -eq 0 ] || fail "the second copy ended with an error"
kill -0 "$game" 2>/dev/null || fail "the first copy ended too"

# The boss key, sent to the root window: minimised and disguised.
xdotool key --window root ctrl+Return
disguise='"Документ1 - Microsoft Word"'
for _ in $(seq 50); do
  prop "$win" WM_STATE | grep -q Iconic && break
  sleep 0.1
done
prop "$win" WM_STATE | grep -q Iconic || fail "Ctrl+Enter did not minimise the game"
prop "$win" _NET_WM_NAME | grep -qF "$disguise" || fail "title is not the disguise"
prop "$win" _NET_WM_ICON_NAME | grep -qF "$disguise" || fail "icon text is not the disguise"

# Restored: the plain title.
xdotool windowactivate --sync "$win" >/dev/null 2>&1
for _ in $(seq 50); do
  prop "$win" _NET_WM_NAME | grep -qF '"Тарлык"' && break
  sleep 0.1
done
prop "$win" _NET_WM_NAME | grep -qF '"Тарлык"' || fail "the restored title is not Тарлык"

# Closing writes the score.
settings=("$XDG_CONFIG_HOME"/tarlyk/*.dat)
[ -e "${settings[0]}" ] && fail "a settings file exists before closing"
xdotool windowactivate --sync "$win" >/dev/null 2>&1
xdotool key alt+F4
wait_exit "$game" 150 || fail "the game did not end on Alt+F4"
settings=("$XDG_CONFIG_HOME"/tarlyk/*.dat)
[ -f "${settings[0]}" ] || fail "no settings file after closing"
grep -q '^\[Counts\]' "${settings[0]}" && grep -q '^Loses=' "${settings[0]}" ||
  fail "the score was not written"
echo "smoke: passed"
