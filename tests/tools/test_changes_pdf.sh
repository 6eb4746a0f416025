#!/bin/bash
# Checks the committed change-list document resources/Changes.pdf with
# poppler's tools (independent of the cairo-based generator): PDF 1.4, five
# A4 pages, every font embedded with a ToUnicode map, and the Russian text
# of resources/changes.txt extractable from it, so a stale PDF (source
# edited, PDF not regenerated) fails too.
# Usage: test_changes_pdf.sh CHECKOUT_ROOT   (needs poppler-utils)
set -u

root=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
pdf=$root/resources/Changes.pdf
src=$root/resources/changes.txt
pages=5
errors=0

fail() { echo "FAIL: $*" >&2; errors=$((errors + 1)); }

for tool in pdfinfo pdffonts pdftotext; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool not found (apt-get install poppler-utils)" >&2; exit 2; }
done
[ -f "$pdf" ] || { echo "FAIL: $pdf is missing" >&2; exit 1; }
[ -f "$src" ] || { echo "FAIL: $src is missing" >&2; exit 1; }

# Version: the header itself, and what the parser reports.
header=$(head -c 8 "$pdf")
[ "$header" = "%PDF-1.4" ] || fail "header is '$header', expected %PDF-1.4"
info=$(pdfinfo "$pdf" 2>&1) || { echo "FAIL: pdfinfo cannot read $pdf: $info" >&2; exit 1; }
version=$(sed -n 's/^PDF version: *//p' <<<"$info")
[ "$version" = "1.4" ] || fail "pdfinfo reports PDF version '$version', expected 1.4"

count=$(sed -n 's/^Pages: *//p' <<<"$info")
[ "$count" = "$pages" ] || fail "the document has '$count' pages, expected $pages"

# Every page A4 (595.276 x 841.89 pt, allowing for rounding).
sizes=$(pdfinfo -f 1 -l "${count:-1}" "$pdf" 2>/dev/null | sed -n 's/^Page *[0-9]* size: *//p')
while read -r w _ h _; do
    awk -v w="$w" -v h="$h" 'BEGIN { exit !(w > 594.5 && w < 596 && h > 841 && h < 842.7) }' \
        || fail "a page is $w x $h pt, not A4"
done <<<"$sizes"

# Fonts: at least one, and every one embedded ("emb") with ToUnicode ("uni").
fonts=$(pdffonts "$pdf" 2>&1 | tail -n +3)
[ -n "$fonts" ] || fail "pdffonts lists no fonts (text drawn as outlines or pictures?)"
while read -r line; do
    [ -z "$line" ] && continue
    # Columns from the right: object ID (2 fields), uni, sub, emb.
    read -r emb _sub uni <<<"$(awk '{ print $(NF-4), $(NF-3), $(NF-2) }' <<<"$line")"
    [ "$emb" = "yes" ] || fail "font not embedded: $line"
    [ "$uni" = "yes" ] || fail "font without ToUnicode map: $line"
done <<<"$fonts"

# Text: normalise whitespace on both sides, then look for the source's text.
norm() { sed 's/\xc2\xa0/ /g' | tr -s ' \n\f\t' ' '; }
page_text() { pdftotext -enc UTF-8 -f "$1" -l "$1" "$pdf" - 2>/dev/null | norm; }
all_text=$(pdftotext -enc UTF-8 "$pdf" - 2>/dev/null | norm)

expect() { # where-name text-to-search phrase
    grep -qF -- "$3" <<<"$2" || fail "$1 lacks the text: $3"
}
first=$(page_text 1)
expect "page 1" "$first" "ОБРАЗЕЦ"
expect "page 1" "$first" "Пример списка изменений программного обеспечения терминалов QZ"
expect "page 1" "$first" "QZ1769_m.dat"
expect "page 1" "$first" "Действительный список изменений поставляется вместе с выпускной сборкой программы"
for ((n = 1; n <= pages; n++)); do
    expect "page $n" "$(page_text "$n")" "Страница $n из $pages"
done
last_line=$(grep -v '^;' "$src" | grep -v '^[[:space:]]*$' | tail -n 1 | sed -E 's/^(###|##|#:|#|!|-) //' | norm)
last_line=${last_line% }
expect "page $pages" "$(page_text "$pages")" "$last_line"

# Every printed line of the source (headings, bullets, paragraphs).
missing=0
while IFS= read -r line; do
    line=$(sed -E 's/^(###|##|#:|#|!|-) //' <<<"$line" | norm)
    line=${line% }
    [ -z "$line" ] && continue
    if ! grep -qF -- "$line" <<<"$all_text"; then
        missing=$((missing + 1))
        [ $missing -le 5 ] && fail "the text of changes.txt is not in the PDF: $line"
    fi
done < <(grep -v '^;' "$src")
[ $missing -le 5 ] || fail "... $missing lines of changes.txt missing in all (regenerate with tools/make_changes_pdf.py?)"

if [ $errors -ne 0 ]; then
    echo "FAIL: $errors problem(s) in $pdf" >&2
    exit 1
fi
echo "PASS: $pdf: PDF $version, $count pages, fonts embedded with ToUnicode, text of changes.txt found"
