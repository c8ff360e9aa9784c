#!/usr/bin/env bash
# Installs the Debian packages the game, its tests and its tools need; only
# what is missing, so a second run costs nothing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libsdl1.2-dev libsdl-ttf2.0-dev libsdl1.2-compat
  libgtest-dev libbenchmark-dev
  xvfb xdotool imagemagick x11-utils
  valgrind clang libclang-rt-dev python3 desktop-file-utils
  debhelper dpkg-dev fakeroot lintian appstream
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
