#!/usr/bin/env bash
# Builds the fuzz target with clang under AddressSanitizer and UBSan, replays
# every seed and regression input once, then fuzzes for a bounded number of
# inputs. Exits non-zero on any crash; the crashing input is kept in
# BUILD/fuzz-artefakty/.
#
#   tests/fuzz/run.sh [build-dir] [runs] [libFuzzer options...]
#                                       defaults: build-fuzz, 20000
#
# To fuzz longer, give more runs, or -1 and a time limit, for instance
#   tests/fuzz/run.sh build-fuzz -1 -max_total_time=3600
# A crash found is added to tests/fuzz/regrese/ once it is fixed.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath -m "${1:-$root/build-fuzz}")
runs=${2:-20000}
shift $(($# < 2 ? $# : 2))
fuzz=$root/tests/fuzz

cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSACHY_FUZZ=ON -DSACHY_SANITIZE=ON -DBUILD_TESTING=OFF -DSACHY_BENCH=OFF -DSACHY_TOOLS=OFF
cmake --build "$build" --target fuzz_kniha -j"$(nproc)"

# Short allocation stacks in reports double the speed; replay a crash with
# ASAN_OPTIONS unset for the full stacks.
export ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=5}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

# libFuzzer adds what it finds to its corpus directory: give it a copy.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/korpus"
cp "$fuzz"/corpus/* "$scratch/korpus/"
if compgen -G "$fuzz/regrese/*" >/dev/null; then
  cp "$fuzz"/regrese/* "$scratch/korpus/"
fi
artefakty=$build/fuzz-artefakty
mkdir -p "$artefakty"
cd "$scratch"

echo "== Every seed and regression input once, at full length =="
"$build/tests/fuzz/fuzz_kniha" -artifact_prefix="$artefakty/" "$scratch"/korpus/*

echo "== $runs fuzzed inputs =="
"$build/tests/fuzz/fuzz_kniha" -runs="$runs" -max_len=4096 -timeout=10 \
  -dict="$fuzz/kniha.dict" -artifact_prefix="$artefakty/" -print_final_stats=1 "$@" "$scratch/korpus"
