#!/usr/bin/env bash
# Builds and runs every benchmark, writes docs/performance.md and prints its table:
#   the native micro-benchmarks of the portable cores (Google Benchmark, build/native-bench), and
#   QuorvaneBench.exe under Wine and Xvfb (build/win-bench, its own prefix build/wine-bench).
# QUORVANE_BENCH_REPS sets the repetitions of every figure (default 15). Nothing here is a test:
# it never fails on a slow figure, only when a step cannot run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
reps=${QUORVANE_BENCH_REPS:-15}
out="$root/build/bench"
app="$out/app"

"$root/scripts/setup-deps.sh"
started=$(date '+%Y-%m-%d %H:%M')
load() { cut -d' ' -f1-3 /proc/loadavg; }
load_start=$(load)

echo "== building (build/win-bench, build/native-bench)"
cmake -S . -B build/win-bench -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DQUORVANE_DIST_DIR="$root/build/dist-bench" -DQUORVANE_E2E=OFF >/dev/null
cmake --build build/win-bench --target quorvane stage_package QuorvaneBench MinimalDialog TemplateDialog >/dev/null
cmake -S . -B build/native-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVANE_SANITIZE=OFF >/dev/null
cmake --build build/native-bench --target core_bench >/dev/null

# Quorvane.EXE and the minimal dialog program start from one folder, with the same DLLs beside them.
rm -rf "$app"
mkdir -p "$app"
cp build/dist-bench/Quorvane.EXE build/dist-bench/MFC42.DLL build/dist-bench/Msvcrt.dll \
   build/win-bench/bench/MinimalDialog.exe build/win-bench/bench/TemplateDialog.exe "$app/"

echo "== portable cores: Google Benchmark, $reps repetitions interleaved at random"
build/native-bench/bench/core_bench --benchmark_repetitions="$reps" \
  --benchmark_enable_random_interleaving=true --benchmark_min_time=0.1 \
  --benchmark_out="$out/core.json" --benchmark_out_format=json >/dev/null

echo "== under Wine: loads, preview draws, pictures, composed wallpapers and their memory, folder walks, start-ups and memory, $reps repetitions"
WINEPREFIX=$(QUORVANE_WINEPREFIX=${QUORVANE_WINEPREFIX:-$root/build/wine-bench} "$root/scripts/wine-prefix.sh")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The picture and composition benchmarks measure the wallpaper for a 1920 x 1080 screen: the
# prefix's desktop (a virtual one, see wine-prefix.sh), one monitor, is made that size, and so is
# the X screen it is shown on.
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1920x1080 /f >/dev/null
timeout 30 wineserver -w
# The pictures of the picture and composition benchmarks: one photograph-like scene of each size,
# the full-HD one as a JPEG and as a PNG, the larger ones as JPEGs. Debian's ImageMagick policy
# allows 256 MiB of memory and 1 GiB of disk, too little for 12000 x 8000 at 16 bits a channel, so
# ours raises both; the two largest take a while to make and are kept from one run to the next.
pictures="$WINEPREFIX/drive_c/QuorvaneBench"
mkdir -p "$pictures" "$out/magick"
cat >"$out/magick/policy.xml" <<'POLICY'
<policymap>
  <policy domain="resource" name="memory" value="2GiB"/>
  <policy domain="resource" name="map" value="4GiB"/>
  <policy domain="resource" name="disk" value="4GiB"/>
</policymap>
POLICY
photo() {  # photo <width>x<height> <file> [output options]
  local size=$1 file=$2
  shift 2
  MAGICK_CONFIGURE_PATH="$out/magick" convert -seed 7 -size "$size" plasma:fractal -blur 0x2 -depth 8 "$@" "$file"
}
photo 1920x1080 "$pictures/photo-1920x1080.png"
convert "$pictures/photo-1920x1080.png" -quality 90 "$pictures/photo-1920x1080.jpg"
photo 3840x2160 "$pictures/photo-3840x2160.jpg" -quality 90
for size in 6000x4000 12000x8000; do
  if [ ! -f "$pictures/photo-$size.jpg" ]; then
    photo "$size" "$pictures/photo-$size.new.jpg" -quality 90
    mv "$pictures/photo-$size.new.jpg" "$pictures/photo-$size.jpg"
  fi
done
session='wine "$0" "$@"; status=$?; timeout 30 wineserver -w || wineserver -k; exit $status'
timeout --kill-after=10 3600 xvfb-run -a -s "-screen 0 1920x1080x24" bash -c "$session" \
  "$root/build/win-bench/bench/QuorvaneBench.exe" 'C:\QuorvaneBench' "Z:${app//\//\\}" "$reps" >"$out/wine.tsv"

echo "== docs/performance.md"
python3 bench/report.py --wine "$out/wine.tsv" --core "$out/core.json" --repetitions "$reps" \
  --command "scripts/bench.sh" --notes bench/performance-notes.md --out docs/performance.md \
  --started "$started" --load-start "$load_start" --load-end "$(load)"
