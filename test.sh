#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests (ASan/UBSan), the 32-bit product build and its static
# checks, and the Win32 and end-to-end tests under Wine. Ends with one summary line.
set -uo pipefail
cd "$(dirname "$0")"
root=$(pwd)
jobs=${QZ_JOBS:-2}

tools/setup-deps.sh || { echo "Summary: 0 passed, 1 failed (dependencies could not be installed)"; exit 1; }

passed=0
failed=0
log_dir="$root/build/logs"
mkdir -p "$log_dir"

# ctest prints "N% tests passed, F tests failed out of T"; add that to the totals.
count() {
  local log=$1 line total bad
  line=$(grep -E "tests passed, [0-9]+ tests? failed out of [0-9]+" "$log" | tail -1)
  if [ -z "$line" ]; then
    failed=$((failed + 1))
    return
  fi
  total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
}

step() {  # step NAME COMMAND...: a build step; its failure counts as one failed test
  echo "== $1"
  shift
  if ! "$@" >"$log_dir/step.log" 2>&1; then
    cat "$log_dir/step.log"
    failed=$((failed + 1))
    return 1
  fi
}

suite() {  # suite NAME BUILD_DIR [ctest args]
  local name=$1 dir=$2
  shift 2
  echo "== $name"
  (cd "$dir" && ctest --output-on-failure "$@") 2>&1 | tee "$log_dir/$name.log" | grep -E "^ *[0-9]+/[0-9]+ Test|tests passed|FAILED|Failed" || true
  count "$log_dir/$name.log"
}

# 1. Native: the portable core, sanitized.
if step "native build" cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug \
     && step "native compile" cmake --build build/native -j "$jobs"; then
  suite unit build/native -j "$jobs"
fi

# The version reader against arbitrary bytes, for a bounded time.
echo "== fuzz"
if tests/fuzz/run.sh "${QZ_FUZZ_SECONDS:-30}" >"$log_dir/fuzz.log" 2>&1; then
  passed=$((passed + 1)); echo "fuzz: no finding ($(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$log_dir/fuzz.log" | grep -oE '[0-9]+$') runs)"
else
  failed=$((failed + 1)); tail -30 "$log_dir/fuzz.log"
fi

# 2. The product: 32-bit Windows executable, warnings as errors.
if step "product configure" cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
     -DCMAKE_BUILD_TYPE=Release -DQZ_WERROR=ON \
   && step "product compile" cmake --build build/win -j "$jobs" --target QZLoader QZLoaderNoVersion; then
  suite product build/win -L static
fi

# The release package: reproducible, complete, checksummed.
echo "== release"
tests/release/test_release.sh 2>&1 | tee "$log_dir/release.log"
line=$(grep -E "^[0-9]+ passed, [0-9]+ failed$" "$log_dir/release.log" | tail -1)
if [ -n "$line" ]; then
  passed=$((passed + $(cut -d' ' -f1 <<<"$line")))
  failed=$((failed + $(cut -d' ' -f3 <<<"$line")))
else
  failed=$((failed + 1))
fi

# 3. Under Wine: the same sources built for 64-bit Windows (see README: 32-bit Wine needs a kernel that runs 32-bit processes).
if step "wine tree configure" cmake -S . -B build/win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
     -DCMAKE_BUILD_TYPE=Release -DQZ_WERROR=ON \
   && step "wine tree compile" cmake --build build/win64 -j "$jobs" \
   && step "wine template" tools/testbed/make-template; then
  suite wine build/win64 -j "$jobs" -LE static
fi

echo "Summary: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
