#!/usr/bin/env bash
# Reads the pattern written by TestbedTest.PngPatternForTheDecoderCheck with ImageMagick and compares pixels.
set -euo pipefail
file="${QZ_ARTIFACTS:-$1}/TestbedTest.PngPatternForTheDecoderCheck.png"
[ -f "$file" ] || { echo "missing $file"; exit 1; }
[ "$(identify -format '%w %h' "$file")" = "300 100" ] || { echo "wrong size"; exit 1; }
fail=0
for xy in "0 0" "299 0" "0 99" "257 42" "150 77"; do
  set -- $xy
  want=$(printf '#%02X%02X%02X' $(( $1 % 256 )) $(( $2 * 2 )) $(( ($1 + $2) % 256 )))
  got=$(convert "$file" -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -n1)
  if [ "$got" != "$want" ]; then echo "pixel $1,$2: $got, expected $want"; fail=1; fi
done
[ "$fail" = 0 ] && echo "PNG pattern decodes as written"
exit "$fail"
