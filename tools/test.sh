#!/usr/bin/env bash
# Sets everything up, builds from scratch and runs every test: the whole
# suite on classic SDL 1.2 and again on sdl12-compat, the suite under
# AddressSanitizer and UBSan, valgrind, the book's fuzzer, and the Debian
# package: built, linted, installed, played from its menu entry and purged;
# then the web version, built with Emscripten and tested in chromium.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
jobs=$(nproc)

echo "== Build and test =="
rm -rf "$root/build-test"
cmake -S "$root" -B "$root/build-test" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$root/build-test" -j"$jobs"
ctest --test-dir "$root/build-test" --output-on-failure -j"$jobs"

echo "== The same suite on sdl12-compat (SDL 1.2 on SDL 2) =="
# Debian 12 keeps sdl12-compat in a directory of its own; the same binaries
# load it when that directory comes first.
compat=$(dirname "$(dpkg -L libsdl1.2-compat | grep '/libSDL-1.2.so.0$')")
LD_LIBRARY_PATH=$compat ldd "$root/build-test/sachy" | grep -q "$compat/libSDL-1.2.so.0" || {
  echo "the game does not load sdl12-compat from $compat" >&2
  exit 1
}
LD_LIBRARY_PATH=$compat ctest --test-dir "$root/build-test" --output-on-failure -j"$jobs"

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

echo "== The web version: built with Emscripten, tested in Debian's chromium =="
rm -rf "$root/build-web-test"
SACHY_WEB_BUILD=$root/build-web-test JOBS=$jobs "$root/tools/web.sh" test "$root/build-web-test/site"
