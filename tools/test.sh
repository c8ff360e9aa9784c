#!/usr/bin/env bash
# Sets everything up, builds from scratch and runs every test: the whole
# suite on the SDL 1.2 the game loads and again on sdl12-compat where that is
# another library (Debian 12), the suite under AddressSanitizer and UBSan,
# valgrind, the book's fuzzer, and the Debian package built, tested, linted
# and tested again installed in clean Debian 12 and 13 systems; then the
# web version, built with Emscripten and tested in chromium.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
jobs=$(nproc)

# The SDL 1.2 the game loads (with the environment given before the call):
# the file the loader picks, a tab, and what it is, as "classic SDL 1.2
# 1.2.15+dfsg2-8 (libsdl1.2debian)" or "sdl12-compat 1.2.68-3 (...)", from the
# package that owns the file and that package's source.
sdl_knihovna() {
  local soubor cesta balik druh
  soubor=$(ldd "$root/build-test/sachy" | awk '$1 == "libSDL-1.2.so.0" { print $3 }')
  [ -n "$soubor" ] || return 0
  cesta=$(readlink -f "$soubor")
  # The owner, under /usr or not (merged /usr).
  balik=$(dpkg -S "$cesta" 2>/dev/null || dpkg -S "/usr${cesta#/usr}" 2>/dev/null ||
    dpkg -S "${cesta#/usr}" 2>/dev/null || true)
  balik=${balik%%:*}
  if [ -z "$balik" ]; then
    printf '%s\t%s\n' "$cesta" "an SDL 1.2 of no package"
    return
  fi
  druh="classic SDL 1.2"
  [ "$(dpkg-query -W -f='${source:Package}' "$balik")" = sdl12-compat ] && druh=sdl12-compat
  printf '%s\t%s %s (%s, %s)\n' "$cesta" "$druh" "$(dpkg-query -W -f='${Version}' "$balik")" \
    "$balik" "$cesta"
}

echo "== Build =="
rm -rf "$root/build-test"
cmake -S "$root" -B "$root/build-test" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$root/build-test" -j"$jobs"

prvni=$(sdl_knihovna)
[ -n "$prvni" ] || { echo "the game loads no libSDL-1.2.so.0" >&2; exit 1; }
echo "== The whole suite on ${prvni#*$'\t'} =="
ctest --test-dir "$root/build-test" --output-on-failure -j"$jobs"

# Debian 12 keeps sdl12-compat in a directory of its own, which the same
# binaries load when it comes first; on Debian 13 that directory holds only
# links to the one SDL 1.2 there is.
druha=""
if dpkg-query -W -f='${Status}' libsdl1.2-compat 2>/dev/null | grep -q "install ok installed"; then
  compat=$(dirname "$(dpkg -L libsdl1.2-compat | grep '/libSDL-1.2.so.0$' | head -1)")
  druha=$(LD_LIBRARY_PATH=$compat sdl_knihovna)
fi
if [ -z "$druha" ] || [ "${druha%%$'\t'*}" = "${prvni%%$'\t'*}" ]; then
  echo "== The suite on a second SDL 1.2: skipped, this system has only one (${prvni#*$'\t'}) =="
else
  echo "== The whole suite again on ${druha#*$'\t'} =="
  LD_LIBRARY_PATH=$compat ctest --test-dir "$root/build-test" --output-on-failure -j"$jobs"
fi

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

echo "== The Debian package in clean Debian 12 and 13 systems =="
JOBS="$jobs" "$root/tests/balicek/testbedy.sh" "$root/build-testbedy"

echo "== The web version: built with Emscripten, tested in Debian's chromium =="
rm -rf "$root/build-web-test"
SACHY_WEB_BUILD=$root/build-web-test JOBS=$jobs "$root/tools/web.sh" test "$root/build-web-test/site"
