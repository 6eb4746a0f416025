#!/usr/bin/env bash
# The release package: two builds from clean trees give the same bytes; the zip holds the executable, the guide and a
# checksum file that matches; the executable carries no debug information and is not packed.
# Prints one line per check and "N passed, N failed" at the end.
set -uo pipefail
cd "$(dirname "$0")/../.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
check() {
  if eval "$2"; then passed=$((passed + 1)); echo "ok   $1"; else failed=$((failed + 1)); echo "FAIL $1"; fi
}

tools/release.sh --build "$work/a" --out "$work/dist-a" >/dev/null 2>"$work/a.log" || cat "$work/a.log"
tools/release.sh --build "$work/b" --out "$work/dist-b" >/dev/null 2>"$work/b.log" || cat "$work/b.log"
zip_a=$(ls "$work"/dist-a/QZLoader-*.zip 2>/dev/null | head -1)
zip_b=$(ls "$work"/dist-b/QZLoader-*.zip 2>/dev/null | head -1)

check "two clean builds give byte-identical executables" 'cmp -s "$work/a/app/QZLoader.exe" "$work/b/app/QZLoader.exe"'
check "and byte-identical zips" '[ -n "$zip_a" ] && cmp -s "$zip_a" "$zip_b"'

mkdir -p "$work/unpacked"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip_a" "$work/unpacked" 2>/dev/null
names=$(python3 -c 'import sys, zipfile; print(" ".join(sorted(zipfile.ZipFile(sys.argv[1]).namelist())))' "$zip_a" 2>/dev/null)
check "the zip holds the executable, the guide and the checksums (got: $names)" '[ "$names" = "QZLoader.exe README_RU.txt SHA256SUMS" ]'
check "the checksums match the files" '(cd "$work/unpacked" && sha256sum --quiet -c SHA256SUMS)'
check "the packed executable is the one built" 'cmp -s "$work/unpacked/QZLoader.exe" "$work/a/app/QZLoader.exe"'
check "the guide is Russian text that names the program's messages" 'grep -q "Ошибка записи на" "$work/unpacked/README_RU.txt" && grep -q "ВНИМАНИЕ! Перед прошивкой" "$work/unpacked/README_RU.txt"'
exe="$work/unpacked/QZLoader.exe"
check "a 32-bit GUI executable" '[[ "$(file -b "$exe")" == PE32\ executable\ \(GUI\)\ Intel\ 80386* ]]'
sections=$(i686-w64-mingw32-objdump -h "$exe" | awk '/^ +[0-9]+ /{print $2}' | tr '\n' ' ')
check "no debug information (sections: $sections)" '! grep -qE "\.debug|\.stab" <<<"$sections"'
check "not packed: plain code and resource sections" 'grep -q "\.text" <<<"$sections" && grep -q "\.rsrc" <<<"$sections" && ! grep -qiE "upx|aspack|petite|mpress" <<<"$sections"'

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
