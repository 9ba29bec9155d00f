#!/usr/bin/env bash
# Quorvane's story under Wine: setup.exe from build/dist installs Quorvane into the demo prefix
# build/wine-demo, and the installed program rotates the five sample wallpapers on a 1024x768
# virtual desktop (headless, a PNG picture added through Add... and a folder of pictures added
# through Add Folder... as well, and a picture copied into that folder while it runs; then the PNG
# picture fills the screen with the picture position "Fill", and the icon in the notification area
# shows the next picture, pauses the rotation and resumes it); at the next log-on the shell starts
# it again from its StartUp shortcut. With a display the user plays it; without one it is played
# headless under Xvfb, with a picture of each stage in build/demo/, and ends by itself within
# three minutes.
# Another build plays it with QUORVANE_WIN_BUILD_DIR (build/win), QUORVANE_DIST_DIR (build/dist),
# QUORVANE_DEMO_WINEPREFIX (build/wine-demo) and QUORVANE_DEMO_DIR (build/demo, the pictures).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dist=${QUORVANE_DIST_DIR:-$root/build/dist}
demo_exe="${QUORVANE_WIN_BUILD_DIR:-$root/build/win}/demo/QuorvaneDemo.exe"
pictures=${QUORVANE_DEMO_DIR:-$root/build/demo}
demo_prefix=${QUORVANE_DEMO_WINEPREFIX:-$root/build/wine-demo}
samples=(Forest NightSky Rainbow Skull Ivy)
# Our own PNG picture that the headless story adds through Add...: it is not shipped, so the story
# puts it into the Pictures folder that all users share, as a user's own picture.
added_picture="$root/demo/Lighthouse.png"
shared_pictures='C:\Users\Public\Pictures'
# Our own pictures of the folder that the headless story adds through Add Folder...: drawn at the
# start of the story, two in the folder from the start and one copied in while Quorvane runs.
added_folder='C:\Users\Public\Pictures\Evenings'
folder_pictures=(Dawn.png Dusk.jpg)
copied_picture=Midday.jpg
# Every picture a step may show: the shipped samples and the added ones.
known_pictures=("${samples[@]/#/$dist/}")
known_pictures=("${known_pictures[@]/%/.BMP}" "$added_picture" "${folder_pictures[@]/#/$pictures/}"
                "$pictures/$copied_picture")

# The rotation: 0.05 minutes (3 s) for the headless story, 0.2 minutes (12 s) for a user to watch.
headless_minutes=0.05
interactive_minutes=0.2
# How far a part of a picture may differ from the picture it must show (root mean square, 0 to 1):
# the wallpaper is the picture itself, the preview the picture as the program stretches it.
picture_tolerance=0.25

# One step of QuorvaneDemo.exe; its lines on stdout, Wine's carriage returns removed. The lines go
# through a file, not a pipe: a Wine process started on the way (the wineserver, the desktop) may
# keep a pipe open long after the step has ended.
demo() {
  local lines status
  lines=$(mktemp)
  timeout --kill-after=5 60 wine "$demo_exe" "$@" >"$lines" 2>&1
  status=$?
  tr -d '\r' <"$lines"
  rm -f "$lines"
  return $status
}

# The root mean square difference (0 to 1) between <part>, a part of a picture at no more than
# 160 x 120 pixels, and the picture file <file> scaled to <size> and then as the part was, or plain
# black for "black". <way> "shows" scales as a pixel-dropping stretch does; "fills" as the picture
# position Fill does: smoothly, to cover <size>, its middle kept. Small pictures compare quickly and
# still tell the samples apart. Each file is scaled once per size and way: the steps of a story
# share them.
scaled="$pictures/.scaled"
difference() {
  local part=$1 size=$2 file=$3 way=$4
  local wanted="$scaled/${file##*/}-$size-$way.png"
  if [ ! -f "$wanted" ]; then
    mkdir -p "$scaled"
    if [ "$file" = black ]; then
      convert -size "$size" xc:black -sample '160x120>' "$wanted"
    elif [ "$way" = fills ]; then
      convert "$file" -filter triangle -resize "${size}^" -gravity center -extent "$size" \
        -sample '160x120>' "$wanted"
    else
      convert "$file" -filter point -resize "${size}!" -sample '160x120>' "$wanted"
    fi
  fi
  compare -metric RMSE "$part" "$wanted" null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p'
}

# picture_shows <png> <way> <geometry> <file name>: whether that part of the picture shows the
# known picture of that name, placed the way the step said (see difference): it differs from it by
# no more than the tolerance and is nearer to it than to any other known picture and to a black
# screen. Says the differences when it does not.
picture_shows() {
  local png=$1 way=$2 geometry=$3 file=$4 wanted="" other score size=${3%%+*} part="$pictures/.part.png"
  convert "$png" -crop "$geometry" +repage -sample '160x120>' "$part" || return 1
  for other in "${known_pictures[@]}"; do
    [ "${other##*/}" = "$file" ] && wanted=$(difference "$part" "$size" "$other" "$way")
  done
  local scores="$file ${wanted:-?}" nearest=1
  for other in "${known_pictures[@]}" black; do
    [ "${other##*/}" = "$file" ] && continue
    score=$(difference "$part" "$size" "$other" "$way")
    scores+=", ${other##*/} ${score:-?}"
    awk -v w="${wanted:-1}" -v o="${score:-0}" 'BEGIN { exit !(w < o) }' || nearest=0
  done
  rm -f "$part"
  if [ $nearest -eq 1 ] && awk -v w="${wanted:-1}" -v t="$picture_tolerance" 'BEGIN { exit !(w <= t) }'; then
    return 0
  fi
  echo "differences from $scores"
  return 1
}

# Draws the folder's pictures into build/demo/: skies of our own, a gradient with a sun or a hill.
draw_folder_pictures() {
  convert -size 640x480 gradient:'#1d2b64-#f8cdda' -fill '#fff3b0' -draw 'circle 320,400 320,340' \
    "$pictures/Dawn.png" &&
  convert -size 640x480 gradient:'#0f2027-#f46b45' -fill '#203a43' -draw 'ellipse 320,500 420,150 0,360' \
    -quality 90 "$pictures/Dusk.jpg" &&
  convert -size 640x480 gradient:'#56ccf2-#e0f7fa' -fill '#ffd54f' -draw 'circle 520,80 520,30' \
    -fill '#4caf50' -draw 'rectangle 0,360 640,480' -quality 90 "$pictures/Midday.jpg"
}

# step <picture name or -> <demo step> [arguments]: plays the step, saves its picture and checks
# that the picture shows what the step says it shows; says in one line what happened.
step_number=0
step() {
  local picture=$1; shift
  step_number=$((step_number + 1))
  local output status said="" failed="" area="" line
  local -a shows=() other=()
  output=$(demo "$@"); status=$?
  while IFS= read -r line; do
    case $line in
      "done: "*) said=${line#done: } ;;
      "fail: "*) failed=${line#fail: } ;;
      "area: "*) area=${line#area: } ;;
      "shows: "*|"fills: "*) shows+=("${line%%: *} ${line#*: }") ;;
      "") ;;
      *) other+=("$line") ;;
    esac
  done <<<"$output"
  if [ "$status" -ne 0 ] || [ -z "$said" ]; then
    printf '%2d. FAILED (%s): %s\n' "$step_number" "$*" "${failed:-QuorvaneDemo.exe ended with status $status}"
    [ ${#other[@]} -eq 0 ] || printf '      %s\n' "${other[@]}"
    return 1
  fi
  if [ "$picture" = - ]; then
    printf '%2d. %s\n' "$step_number" "$said"
    return 0
  fi
  local png="$pictures/$picture.png" screen="$pictures/.screen.png" entry way geometry file verdict
  if ! timeout 30 import -silent -window root "$screen" || ! convert "$screen" -crop "$area" +repage "$png"; then
    printf '%2d. FAILED (%s): no picture of %s could be taken\n' "$step_number" "$*" "$area"
    return 1
  fi
  rm -f "$screen"
  for entry in "${shows[@]}"; do
    read -r way geometry file <<<"$entry"
    if ! verdict=$(picture_shows "$png" "$way" "$geometry" "$file"); then
      printf '%2d. FAILED (%s): %s does not %s %s at %s: %s\n' \
        "$step_number" "$*" "${png#"$root"/}" "${way%s}" "$file" "$geometry" "$verdict"
      return 1
    fi
  done
  printf '%2d. %s; picture: %s\n' "$step_number" "$said" "${png#"$root"/}"
}

# numbered_step <picture name> <demo step> [arguments]: a step whose picture takes the story's next
# number, as NN-<picture name>; 01 to 05 are the pictures before the rotation.
picture_number=6
numbered_step() {
  local picture
  picture=$(printf '%02d-%s' "$picture_number" "$1"); shift
  picture_number=$((picture_number + 1))
  step "$picture" "$@"
}

# The whole story, inside Xvfb; stops at the first step that did not happen.
headless_story() {
  draw_folder_pictures || return 1
  step - fresh-install-state || return 1
  (cd "$dist" && exec wine setup.exe) &
  step 01-setup-window await-setup || return 1
  step 02-success install || return 1
  step - confirm-success || return 1
  step - await-program || return 1
  step - set-interval "$headless_minutes" || return 1
  step 03-main-window show-preview Rainbow || return 1
  step 04-help open-help || return 1
  step 05-about open-about || return 1
  step - close-about || return 1
  mkdir -p "$WINEPREFIX/drive_c/users/Public/Pictures" &&
    cp "$added_picture" "$WINEPREFIX/drive_c/users/Public/Pictures/" || return 1
  step - add-picture "$shared_pictures\\${added_picture##*/}" || return 1
  local folder="$WINEPREFIX/drive_c/users/Public/Pictures/${added_folder##*\\}"
  mkdir -p "$folder" && cp "${folder_pictures[@]/#/$pictures/}" "$folder/" || return 1
  step - add-folder "$added_folder" || return 1
  step - show-desktop || return 1
  local file
  for file in "${samples[@]/%/.BMP}" "${added_picture##*/}" "${folder_pictures[@]}"; do
    numbered_step "desktop-${file%.*}" await-wallpaper "$file" || return 1
  done
  # A picture copied into the folder while Quorvane runs joins the rotation at the next change.
  cp "$pictures/$copied_picture" "$folder/" || return 1
  numbered_step "desktop-${copied_picture%.*}" await-wallpaper "$copied_picture" || return 1
  # The PNG picture over the whole screen with the picture position Fill; then "System setting"
  # again, so that the desktop places the pictures after the log-on itself, as before.
  file=${added_picture##*/}
  numbered_step "desktop-${file%.*}-fill" fill-with "$file" || return 1
  step - choose-position "System setting" || return 1
  # The icon in the notification area: Next Picture at once; the rotation paused over two of its
  # periods, then resumed, as the log-on below needs it.
  numbered_step icon-next-picture icon-next-picture || return 1
  numbered_step icon-paused icon-pause || return 1
  numbered_step icon-resumed icon-resume || return 1
  step - close-program || return 1
  # The next log-on: the shell opens the StartUp shortcut, and Quorvane goes on rotating.
  step - log-on || return 1
  step - show-desktop || return 1
  numbered_step logon-desktop await-wallpaper any || return 1
  step - close-program || return 1
}

if [ "${1:-}" = "--headless-session" ]; then
  started=$SECONDS
  headless_story
  status=$?
  if [ $status -eq 0 ]; then
    rm -rf "$scaled"
    echo "All $step_number steps done in $((SECONDS - started)) s; the pictures are in ${pictures#"$root"/}/."
    timeout 15 wineserver -w || wineserver -k
  else
    wineserver -k
  fi
  exit $status
fi

for needed in "$dist/setup.exe" "$dist/Quorvane.EXE" "$demo_exe"; do
  [ -f "$needed" ] || { echo "missing: $needed (build first: scripts/build.sh)" >&2; exit 1; }
done

# The demo's own prefix, so that installing there never meets the test runs in build/wine.
WINEPREFIX=$(QUORVANE_WINEPREFIX="$demo_prefix" "$root/scripts/wine-prefix.sh") || exit 1
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# With a display: the user presses Install in the virtual desktop; once the installed program
# shows, this script sets its interval (Minute(s), Apply Settings) so that it starts rotating.
if [ -n "${DISPLAY:-}" ]; then
  demo fresh-install-state | sed -n 's/^done: /Prefix ready: /p'
  echo "setup.exe opens in a Wine virtual desktop (1024 x 768): press Install."
  (cd "$dist" && exec wine setup.exe) &
  wait $!
  echo "Setup ended; waiting for the installed Quorvane to show ..."
  if said=$(demo set-interval "$interactive_minutes" 30); then
    echo "Done for you: ${said#done: }"
    echo "Quorvane rotates the sample wallpapers; close its window (and notepad's) to end."
  else
    echo "Quorvane did not start (was Install pressed?): ${said#fail: }"
  fi
  # The rest is the user's session: it ends when the user has closed the last Wine window.
  wineserver -w
  exit 0
fi

# Without one: the story played headless in a display of its own, bounded by three minutes. Xvfb
# picks a free display number itself and writes it once it is ready.
echo "No display: playing Quorvane's story headless under Xvfb (pictures in ${pictures#"$root"/}/)."
rm -rf "$pictures"
mkdir -p "$pictures"
display_file="$pictures/.display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb=$!
if ! timeout 15 bash -c 'until [ -s "$0" ]; do sleep 0.1; done' "$display_file"; then
  echo "Xvfb did not start." >&2
  kill $xvfb 2>/dev/null
  exit 1
fi
timeout --kill-after=10 180 env DISPLAY=":$(head -1 "$display_file")" "$0" --headless-session
status=$?
if [ $status -eq 124 ] || [ $status -eq 137 ]; then
  echo "The story took longer than three minutes and was stopped." >&2
  wineserver -k 2>/dev/null
fi
kill $xvfb 2>/dev/null
wait $xvfb 2>/dev/null
rm -f "$display_file"
[ $status -eq 0 ] || echo "The story did not end well (exit status $status)." >&2
exit $status
