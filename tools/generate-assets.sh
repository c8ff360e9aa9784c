#!/bin/sh
# Rebuilds the board bitmaps in assets/ from the DejaVu Sans chess glyphs.
# Usage: tools/generate-assets.sh   (from anywhere; BUILD_DIR overrides "build")
set -eu

koren=$(cd "$(dirname "$0")/.." && pwd)
cd "$koren"
build=${BUILD_DIR:-build}
pismo=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf

if [ ! -f "$pismo" ]; then
    echo "DejaVu Sans is missing, installing fonts-dejavu-core" >&2
    if [ "$(id -u)" -eq 0 ]; then
        apt-get install -y fonts-dejavu-core
    else
        sudo apt-get install -y fonts-dejavu-core
    fi
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build"
fi
cmake --build "$build" --target generuj_obrazky

"$build/tools/generuj_obrazky" "$pismo" assets
echo "bitmaps written to assets/"
