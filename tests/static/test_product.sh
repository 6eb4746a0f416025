#!/usr/bin/env bash
# Static checks of the 32-bit product executable: its format and the resources it carries.
set -uo pipefail
exe=$1
firmware=$2
changes=$3
problems=()
check() { if ! eval "$2"; then problems+=("$1"); fi; }

kind=$(file -b "$exe")
check "a 32-bit GUI executable for Intel 80386 (file says: $kind)" '[[ "$kind" == PE32\ executable\ \(GUI\)\ Intel\ 80386* ]]'

rc=$(i686-w64-mingw32-windres -i "$exe" -O rc 2>/dev/null)
check "the firmware payload under FIRMWARE, raw data" 'grep -q "^\"FIRMWARE\" RCDATA" <<<"$rc"'
check "the change list under CHANGES, raw data" 'grep -q "^\"CHANGES\" RCDATA" <<<"$rc"'
check "every resource tagged Russian (1049)" '[ "$(grep "^LANGUAGE" <<<"$rc" | sort -u)" = "LANGUAGE 25, 1" ]'
check "the icon group MAINICON with one image" 'grep -A3 "^\"MAINICON\" 14" <<<"$rc" | grep -q "Has 1 elements"'
for pic in INFO_UP INFO_HOT INFO_DOWN; do
  check "the picture $pic" 'grep -q "^\"$pic\" 2 " <<<"$rc"'
done
check "fixed file and product version 4.16.0.0" 'grep -q "FILEVERSION 4, 16, 0, 0" <<<"$rc" && grep -q "PRODUCTVERSION 4, 16, 0, 0" <<<"$rc"'
check "flags mask 0x3F, OS 0x4, type 0x1" 'grep -qi "FILEFLAGSMASK 0x3f" <<<"$rc" && grep -qi "FILEOS 0x4" <<<"$rc" && grep -qi "FILETYPE 0x1" <<<"$rc"'
check "one string table 041904E3 with FileVersion 4.16.0.0" 'grep -q "BLOCK \"041904E3\"" <<<"$rc" && grep -q "VALUE \"FileVersion\", \"4.16.0.0\"" <<<"$rc"'
check "translation 0x0419 / 0x04E3 (1251)" 'grep -qiE "VALUE \"Translation\", 0x0*419, (0x0*4e3|1251)" <<<"$rc"'

# The payloads are carried byte for byte.
contains() { python3 -c 'import sys; sys.exit(0 if open(sys.argv[2],"rb").read() in open(sys.argv[1],"rb").read() else 1)' "$1" "$2"; }
check "the firmware payload, byte for byte" 'contains "$exe" "$firmware"'
check "the change list, byte for byte" 'contains "$exe" "$changes"'
manifest=$(grep -A2000 "24 /\* RT_MANIFEST \*/" <<<"$rc" | head -200)
check "an application manifest" '[ -n "$manifest" ]'

if [ ${#problems[@]} -gt 0 ]; then
  printf 'missing: %s\n' "${problems[@]}"
  exit 1
fi
echo "product checks passed"
