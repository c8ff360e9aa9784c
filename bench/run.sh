#!/usr/bin/env bash
# Runs every benchmark on the dummy video driver, then the drawing ones again
# in a real X11 window under Xvfb. Usage: bench/run.sh [build-dir]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-bench}
"$root/tools/setup.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target sachy_bench -j"$(nproc)" >/dev/null

reps=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true)
echo "== dummy video driver =="
SDL_VIDEODRIVER=dummy "$build/bench/sachy_bench" "${reps[@]}"

echo "== X11 under Xvfb =="
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done
DISPLAY=$display SDL_VIDEODRIVER=x11 "$build/bench/sachy_bench" "${reps[@]}" \
  --benchmark_filter='Redraw|Click|Construct'
