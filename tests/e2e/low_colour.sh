#!/usr/bin/env bash
# Runs the look test that needs a screen of 256 colours: an 8-bit X screen of its own, given to the test bed.
#   low_colour.sh <wine-run> <e2e_tests.exe>
set -euo pipefail
wine_run=$1
tests=$2
dir=$(mktemp -d "${TMPDIR:-/tmp}/qz-lowcolour.XXXXXX")
Xvfb -displayfd 3 -screen 0 1024x768x8 -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$dir"' EXIT
for _ in $(seq 200); do
  grep -q '^[0-9]' "$dir/display" 2>/dev/null && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.05
done
grep -q '^[0-9]' "$dir/display" 2>/dev/null || { echo "low_colour.sh: Xvfb did not start" >&2; cat "$dir/xvfb.log" >&2; exit 1; }
QZ_TESTBED_SHARED_DISPLAY=":$(head -n1 "$dir/display")" QZ_LOOK_LOW_COLOUR=1 \
  "$wine_run" "$tests" --gtest_filter='LookTest.At256ColoursTheSaveButtonHasAPlainFaceAndNoBands'
