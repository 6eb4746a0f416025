#!/usr/bin/env bash
# Builds the version-block fuzz target and runs it for a bounded time over the committed corpus.
# Usage: tests/fuzz/run.sh [seconds]   (default 60; the build tree is $QZ_FUZZ_BUILD, default build/fuzz)
# Exit status: 0 when no finding; otherwise libFuzzer's, with the crashing input saved in the build tree.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
seconds=${1:-60}
build=${QZ_FUZZ_BUILD:-$root/build/fuzz}

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target fuzz_version >"$build/build.log" || { cat "$build/build.log"; exit 1; }

# New inputs go to a scratch folder; the committed corpus is only read.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$build/fuzz_version" -max_total_time="$seconds" -max_len=4096 -timeout=10 -print_final_stats=1 \
  -dict="$here/version.dict" -artifact_prefix="$build/" "$scratch" "$here/corpus"
