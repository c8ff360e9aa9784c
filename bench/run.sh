#!/usr/bin/env bash
# Runs every benchmark on the dummy video driver, then the drawing ones in a
# real X11 window under Xvfb, once on classic SDL 1.2 and once on
# sdl12-compat (SDL 1.2 on SDL 2), and prints their medians side by side.
# Usage: bench/run.sh [build-dir]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-bench}
"$root/tools/setup.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target sachy_bench -j"$(nproc)" >/dev/null

reps=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true)
echo "== dummy video driver =="
SDL_VIDEODRIVER=dummy "$build/bench/sachy_bench" "${reps[@]}"

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done

compat=$(dirname "$(dpkg -L libsdl1.2-compat | grep '/libSDL-1.2.so.0$')")
for knihovna in classic compat; do
  echo "== X11 under Xvfb, $knihovna =="
  cesta=""
  [ "$knihovna" = compat ] && cesta=$compat
  LD_LIBRARY_PATH=$cesta DISPLAY=$display SDL_VIDEODRIVER=x11 "$build/bench/sachy_bench" \
    "${reps[@]}" --benchmark_filter='Redraw|Click|Promotion|Construct' \
    --benchmark_out="$build/x11-$knihovna.json" --benchmark_out_format=json
done

echo "== X11 under Xvfb: medians, classic SDL 1.2 against sdl12-compat =="
python3 - "$build/x11-classic.json" "$build/x11-compat.json" <<'PY'
import json, sys

def medians(path):
    with open(path) as f:
        runs = json.load(f)["benchmarks"]
    return {r["run_name"]: (r["real_time"], r["time_unit"])
            for r in runs if r.get("aggregate_name") == "median"}

classic, compat = medians(sys.argv[1]), medians(sys.argv[2])
print("%-28s %14s %14s %8s" % ("benchmark", "classic", "sdl12-compat", "ratio"))
for name, (t, unit) in classic.items():
    c, _ = compat[name]
    print("%-28s %11.3f %s %11.3f %s %7.1fx" % (name, t, unit, c, unit, c / t))
PY
