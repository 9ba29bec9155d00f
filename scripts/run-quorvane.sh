#!/usr/bin/env bash
# Starts build/dist/Quorvane.EXE under Wine: on the display when there is one, else headless with a screenshot.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dist="$root/build/dist"
driver="$root/build/win/tests/e2e/QuorvaneE2E.exe"
screenshot="$root/build/demo/main-window.png"

WINEPREFIX=$("$root/scripts/wine-prefix.sh") || exit 1
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# Inside Xvfb: the prefix's own 1024x768 virtual desktop holds the program and the driver steps.
headless_session() {
  (cd "$dist" && exec wine Quorvane.EXE) &
  local program=$! status=1
  if wine "$driver" --await-main-window; then
    mkdir -p "$(dirname "$screenshot")"
    import -window root "$screenshot" && status=0
    wine "$driver" --close-main-window
  fi
  timeout 15 tail --pid="$program" -f /dev/null || kill "$program"
  timeout 15 wineserver -w || wineserver -k
  return $status
}

if [ "${1:-}" = "--headless-session" ]; then
  headless_session
  exit
fi

[ -f "$dist/Quorvane.EXE" ] || { echo "missing: $dist/Quorvane.EXE (build first)" >&2; exit 1; }

# With a display: a 1024x768 Wine virtual desktop, until the user closes the program.
if [ -n "${DISPLAY:-}" ]; then
  cd "$dist" && exec wine explorer /desktop=Quorvane,1024x768 Quorvane.EXE
fi

# Without one: headless under Xvfb, waiting for the main window "Quorvane", saving a screenshot and closing
# the program again; exits 0 only if the window appeared.
[ -f "$driver" ] || { echo "missing: $driver (build first)" >&2; exit 1; }
echo "No display: starting Quorvane headless under Xvfb."
rm -f "$screenshot"
timeout --kill-after=10 180 xvfb-run -a -s "-screen 0 1024x768x24" "$0" --headless-session
status=$?
if [ $status -eq 0 ]; then
  echo "Quorvane's main window appeared; screenshot: $screenshot"
else
  echo "Quorvane's main window did not appear (exit status $status)" >&2
fi
exit $status
