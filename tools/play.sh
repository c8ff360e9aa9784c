#!/usr/bin/env bash
# Sets everything up, builds the game and starts it where its files are.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$root/build" --target sachy -j"$(nproc)"
cd "$root/assets"
exec "$root/build/sachy"
