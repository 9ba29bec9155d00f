#!/usr/bin/env bash
# Crash safety and stress of the real Quorvane.EXE under Wine, headless inside Xvfb.
#   scripts/stress.sh <windows build dir> <dist dir> quick        the short set test.sh runs
#   scripts/stress.sh <windows build dir> <dist dir> long         300 kills, 2,000 ticks, 500 presses, ...
#   scripts/stress.sh <windows build dir> <dist dir> <phase> [count] [seed]
# Phases: kills, ticks, big-list, apply, two-copies, held-open, bitmaps (see docs/reliability.md).
# Exits non-zero when any check fails; every phase has a time bound.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ $# -ge 3 ] || { sed -n '2,7p' "$0" >&2; exit 2; }
driver="$1/tests/stress/QuorvaneStress.exe"
dist=$(cd "$2" && pwd) || exit 2
suite=$3
shift 3
for needed in "$driver" "$dist/Quorvane.EXE"; do
  [ -f "$needed" ] || { echo "missing: $needed" >&2; exit 2; }
done

bitmaps="Z:${root//\//\\}\\tests\\fuzz\\corpus\\dib"
case "$suite" in
  quick) phases=("kills 40" "ticks 300" "big-list 10000" "apply 200" "two-copies 15" "held-open" "bitmaps $bitmaps") ;;
  long) phases=("kills 300" "ticks 2000" "big-list 10000" "apply 500" "two-copies 60" "held-open" "bitmaps $bitmaps") ;;
  bitmaps) phases=("bitmaps ${1:-$bitmaps}") ;;
  *) phases=("$suite $*") ;;
esac

WINEPREFIX=$("$root/scripts/wine-prefix.sh") || exit 2
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# One Xvfb session for the whole set; each phase is bounded on its own, the session as a whole too.
session='
status=0
driver=$1 dist=$2
shift 2
for phase in "$@"; do
  echo "== $phase"
  timeout --kill-after=10 1800 wine "$driver" "$dist" $phase || status=1
done
timeout 30 wineserver -w || wineserver -k
exit $status'
timeout --kill-after=10 5400 \
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$session" stress "$driver" "Z:${dist//\//\\}" "${phases[@]}"
status=$?
[ $status -eq 124 ] && echo "the stress run took longer than 90 minutes and was stopped" >&2
exit $status
