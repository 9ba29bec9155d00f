#!/usr/bin/env bash
# Remakes the pictures in docs/: plays Quorvane's story headless (scripts/run-quorvane.sh, after a
# build) and copies its pictures of the setup window, the main window, the help window, the about
# box, the desktop after a wallpaper change and the desktop with the picture position Fill into
# docs/, without metadata so that an unchanged picture stays byte for byte the same. The story's
# variables (QUORVANE_WIN_BUILD_DIR and the others, see run-quorvane.sh) play another build's.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
demo=${QUORVANE_DEMO_DIR:-$root/build/demo}
docs="$root/docs"

env -u DISPLAY "$root/scripts/run-quorvane.sh"

# The picture of the story, and its name in docs/.
pictures=(
  "01-setup-window setup-window"
  "03-main-window main-window"
  "04-help help-window"
  "05-about about-box"
)
mkdir -p "$docs"
for entry in "${pictures[@]}"; do
  read -r from to <<<"$entry"
  convert "$demo/$from.png" -strip "$docs/$to.png"
done
# The whole desktop at half its size: a sample in the middle with Quorvane minimized at the bottom,
# and the lighthouse over the whole screen.
convert "$demo/08-desktop-Rainbow.png" -resize 50% -strip "$docs/desktop-after-change.png"
convert "$demo/15-desktop-Lighthouse-fill.png" -resize 50% -strip "$docs/desktop-fill.png"

echo "docs/ now holds:"
for png in "$docs"/*.png; do
  printf '  %-28s %s\n' "${png#"$root"/}" "$(identify -format '%wx%h, %b' "$png")"
done
