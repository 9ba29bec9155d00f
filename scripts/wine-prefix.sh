#!/usr/bin/env bash
# Makes the build's Wine prefix once (build/wine, or $QUORVANE_WINEPREFIX) and prints its path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
prefix=${QUORVANE_WINEPREFIX:-$root/build/wine}
ready="$prefix/.quorvane-prefix-ready"

# No Mono or Gecko install prompt can appear: mscoree and mshtml are switched off.
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# A prefix that is already made is reused at once. Every program started in it shares one 1024x768
# virtual desktop, so windows get captions and can be minimized without a window manager, and a
# program that crashes ends at once instead of waiting behind Wine's crash dialog.
if [ ! -f "$ready" ]; then
  echo "Making the Wine prefix $prefix" >&2
  mkdir -p "$prefix"
  settings="$prefix/quorvane.reg"
  cat > "$settings" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
  timeout 300 wineboot --init >/dev/null 2>&1
  timeout 120 wine regedit /S "$(winepath -w "$settings")" >/dev/null 2>&1
  timeout 120 wineserver -w
  # Wine's own fonts in the prefix: Marlett draws the caption buttons.
  cp /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
  rm -f "$settings"
  touch "$ready"
fi
echo "$prefix"
