#!/usr/bin/env bash
# Sets everything up, builds from scratch and runs every test: the whole
# suite, then the suite again under AddressSanitizer and UBSan.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
jobs=$(nproc)

echo "== Build and test =="
rm -rf "$root/build-test"
cmake -S "$root" -B "$root/build-test" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$root/build-test" -j"$jobs"
ctest --test-dir "$root/build-test" --output-on-failure -j"$jobs"

echo "== Under AddressSanitizer and UBSan =="
rm -rf "$root/build-asan"
cmake -S "$root" -B "$root/build-asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSACHY_SANITIZE=ON \
  -DSACHY_BENCH=OFF -DSACHY_TOOLS=OFF
cmake --build "$root/build-asan" -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 SACHY_SOAK_EVENTS=1000000 \
  ctest --test-dir "$root/build-asan" --output-on-failure -j"$jobs" -LE e2e

echo "== A session of 1,000 games under valgrind memcheck =="
(cd "$root/assets" && valgrind --quiet --leak-check=full --errors-for-leak-kinds=definite,indirect \
  --error-exitcode=9 "$root/build-test/tests/test_relace")

echo "== The book's fuzzer, for a bounded number of inputs =="
"$root/tests/fuzz/run.sh" "$root/build-fuzz" 20000

echo "== The Debian package =="
JOBS="$jobs" "$root/tests/balicek/test_balicek.sh" "$root/build-balicek"
