#!/usr/bin/env bash
# Remakes the pictures in docs/: plays Quorvane's story headless (scripts/run-quorvane.sh, after a
# build) and copies its pictures of the setup window, the main window, the help window, the about
# box and the desktop after a wallpaper change into docs/, without metadata so that an unchanged
# picture stays byte for byte the same.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
demo="$root/build/demo"
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
# The whole desktop at half its size: the wallpaper in the middle, Quorvane minimized at the bottom.
convert "$demo/08-desktop-Rainbow.png" -resize 50% -strip "$docs/desktop-after-change.png"

echo "docs/ now holds:"
for png in "$docs"/*.png; do
  printf '  %-28s %s\n' "${png#"$root"/}" "$(identify -format '%wx%h, %b' "$png")"
done
