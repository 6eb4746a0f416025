#!/usr/bin/env bash
# Builds the release executable (32-bit, no debug information, not packed) with the given payloads and packs a zip
# with the executable, the Russian user guide and a SHA-256 checksum file.
#   tools/release.sh [--firmware FILE] [--changes FILE] [--build DIR] [--out DIR]
# Without payloads the samples of resources/ are embedded.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
firmware="$root/resources/QZ1769_m.sample.dat"
changes="$root/resources/Changes.pdf"
build="$root/build/release"
out="$root/dist"
while [ $# -gt 0 ]; do
  case "$1" in
    --firmware) firmware=$(realpath "$2"); shift 2 ;;
    --changes) changes=$(realpath "$2"); shift 2 ;;
    --build) build=$(realpath -m "$2"); shift 2 ;;
    --out) out=$(realpath -m "$2"); shift 2 ;;
    *) echo "unknown argument: $1" >&2; exit 2 ;;
  esac
done

tools/setup-deps.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
  -DQZ_WERROR=ON -DQZ_FIRMWARE="$firmware" -DQZ_CHANGES="$changes" >/dev/null
cmake --build "$build" --target QZLoader >/dev/null

version=$(sed -nE 's/^project\(QZLoader VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
stage="$build/package"
rm -rf "$stage" && mkdir -p "$stage" "$out"
cp "$build/app/QZLoader.exe" "$stage/QZLoader.exe"
# The guide as Windows' Notepad reads it everywhere: UTF-8 with a byte-order mark and CR LF line ends.
{ printf '\xEF\xBB\xBF'; sed 's/$/\r/' docs/guide.ru.txt; } >"$stage/README_RU.txt"
(cd "$stage" && sha256sum --binary QZLoader.exe README_RU.txt >SHA256SUMS)

zip="$out/QZLoader-$version.zip"
python3 tools/pack_zip.py "$zip" "$stage" QZLoader.exe README_RU.txt SHA256SUMS
echo "$zip"
