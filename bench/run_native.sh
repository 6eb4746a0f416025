#!/usr/bin/env bash
# The native benchmark of the drive watcher's tick: wall time per tick, and callgrind's instruction count for one
# tick (repeatable, whatever else the machine is doing). Built without sanitizers, optimised.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${QZ_BENCH_BUILD:-build/bench-native}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQZ_SANITIZE=OFF >/dev/null
cmake --build "$build" --target drive_tick >/dev/null
"$build/bench/drive_tick" 1000000
if command -v valgrind >/dev/null; then
  # Instructions of 1001 ticks minus those of 1 tick: the cost of 1000 ticks without start-up.
  count() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$build/bench/drive_tick" "$1" 2>&1 |
      sed -nE 's/.*Collected : ([0-9]+).*/\1/p'
  }
  one=$(count 1)
  many=$(count 1001)
  echo "drive_tick: callgrind $(( (many - one) / 1000 )) instructions per tick"
fi
