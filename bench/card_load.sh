#!/usr/bin/env bash
# The card pictures in fresh processes (bench/card_load_probe.cpp), at the pixel ratios
# 1, 1.5 and 2 in turn, RUNS rounds: loading them from the library at start-up, and
# drawing the first table of a dealt game at that ratio. Prints medians of the processor
# time (page faults included), the page faults and the resident memory they add. Goals:
# loading under 5 ms; the pictures at ratio 2 within 2x the memory of those at ratio 1.
#   bench/card_load.sh <build dir configured with -DTARLYK_BENCH=ON>
set -uo pipefail
build="${1:-build}"
runs="${RUNS:-15}"
ratios="${RATIOS:-1 1.5 2}"
probe="$build/tarlyk_card_load_probe"
if [ ! -x "$probe" ]; then
  echo "card_load: $probe is missing (configure with -DTARLYK_BENCH=ON); skipped"
  exit 0
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
load_before="$(cut -d' ' -f1-3 /proc/loadavg)"
for _ in $(seq "$runs"); do
  for r in $ratios; do
    QT_QPA_PLATFORM=offscreen "$probe" "$build" "$r" >>"$work/$r" 2>/dev/null ||
      echo "card_load: the probe failed at ratio $r" >&2
  done
done
median() { awk -v c="$1" '{print $c}' | sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
echo "card_load: $runs fresh processes per ratio, load average $load_before before, $(cut -d' ' -f1-3 /proc/loadavg) after"
for r in $ratios; do
  [ -s "$work/$r" ] || continue
  awk -v r="$r" -v lm="$(median 1 <"$work/$r")" -v lf="$(median 2 <"$work/$r")" \
    -v lk="$(median 3 <"$work/$r")" -v fm="$(median 4 <"$work/$r")" -v ff="$(median 5 <"$work/$r")" \
    -v fk="$(median 6 <"$work/$r")" -v sm="$(median 7 <"$work/$r")" 'BEGIN {
    printf "card_load at ratio %s: loading %.2f ms processor, %d faults, +%.2f MiB; cards of the first table %.2f ms, %d faults, +%.2f MiB (together +%.2f MiB); next table %.2f ms\n", r, lm, lf, lk / 1024, fm, ff, fk / 1024, (lk + fk) / 1024, sm
  }'
done
