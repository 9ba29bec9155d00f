#!/usr/bin/env bash
# Runs the end-to-end cases under Wine, headless inside Xvfb, and exits with the driver's exit code.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# QuorvaneE2E.exe of the Windows build works the Quorvane.EXE of the dist folder.
[ $# -ge 2 ] || { echo "usage: $0 <windows build dir> <dist dir> [gtest options]" >&2; exit 2; }
driver="$1/tests/e2e/QuorvaneE2E.exe"
dist=$(cd "$2" && pwd) || exit 2
shift 2
for needed in "$driver" "$dist/Quorvane.EXE"; do
  [ -f "$needed" ] || { echo "missing: $needed" >&2; exit 2; }
done

WINEPREFIX=$("$root/scripts/wine-prefix.sh") || exit 2
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# The session also waits for Wine's own processes (the virtual desktop) to end before Xvfb goes.
session='wine "$0" "$@"; status=$?; timeout 30 wineserver -w || wineserver -k; exit $status'
timeout --kill-after=10 900 \
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$session" "$driver" "Z:${dist//\//\\}" "$@"
status=$?
[ $status -eq 124 ] && echo "the end-to-end run took longer than 15 minutes and was stopped" >&2
exit $status
