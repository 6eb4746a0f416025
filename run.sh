#!/usr/bin/env bash
# Builds QZ Loader and starts it under Wine with a demo removable drive E: (the folder build/demo-stick).
# With a display you use the window yourself; without one the program runs on a virtual display, a demo driver
# presses the write button as a user would, and the screenshots go to build/demo/.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
jobs=${QZ_JOBS:-2}

tools/setup-deps.sh

echo "== building the product (32-bit) and the build that runs under Wine here (64-bit)"
configure() {  # configure TREE TOOLCHAIN: once; the tree keeps its settings afterwards
  [ -f "$1/CMakeCache.txt" ] || cmake -S . -B "$1" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$2" -DCMAKE_BUILD_TYPE=Release >/dev/null
}
configure build/win cmake/mingw-i686.cmake
cmake --build build/win -j "$jobs" --target QZLoader >/dev/null
configure build/win64 cmake/mingw-x86_64.cmake
cmake --build build/win64 -j "$jobs" --target QZLoader qz_demo mountdrv >/dev/null
tools/testbed/make-template >/dev/null

# shellcheck source=tools/testbed/bed-common.sh
source tools/testbed/bed-common.sh
qz_bed_select_arch win64
prefix="$root/build/demo-prefix"
stick="$root/build/demo-stick"
shots="$root/build/demo"
[ -d "$prefix" ] || cp -a "$root/build/wine-template" "$prefix"
mkdir -p "$stick" "$shots" "$prefix/drive_c/QZLoader"
cp build/win64/app/QZLoader.exe "$prefix/drive_c/QZLoader/QZLoader.exe"

export WINEPREFIX="$prefix" WINELOADER="$QZ_BED_LOADER" WINEDEBUG=-all WINEDLLOVERRIDES="$QZ_BED_DLLOVERRIDES"
xvfb_pid=""
cleanup() {
  "$QZ_BED_SERVER" -k 2>/dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  displayfile="$shots/.display"
  rm -f "$displayfile"
  Xvfb -displayfd 3 -screen 0 "${QZ_BED_SCREEN}x24" -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$displayfile")"
fi

wine() { "$QZ_BED_LOADER" "$@"; }
"$QZ_BED_SERVER" -p
wine build/win64/tools/testbed/mountdrv.exe del e >/dev/null 2>&1 || true
wine build/win64/tools/testbed/mountdrv.exe add e "$stick" removable >/dev/null

if [ "$headless" = 1 ]; then
  echo "== no display: running the demo on a virtual display"
  wine build/win64/tools/demo/qz_demo.exe 'C:\QZLoader\QZLoader.exe' "Z:${shots//\//\\}"
  import -display "$DISPLAY" -window root "$shots/5-desktop.png" 2>/dev/null || true
  echo "Screenshots: $shots/"
else
  echo "== starting QZ Loader (close its window to end); the demo stick is E:"
  wine 'C:\QZLoader\QZLoader.exe' || true
fi

file="$stick/QZ1769_m.dat"
if [ -f "$file" ]; then
  echo "The firmware file on the demo stick: $file ($(stat -c %s "$file") bytes)"
  if cmp -s "$file" resources/QZ1769_m.sample.dat; then echo "It is byte for byte the embedded sample image."; fi
else
  echo "No firmware file was written to the demo stick ($stick)."
fi
echo "The product itself (32-bit): $root/build/win/app/QZLoader.exe"
