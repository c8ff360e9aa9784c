#!/usr/bin/env bash
# Installs the Debian packages the game, its tests and its tools need; only
# what is missing, so a second run costs nothing. For Debian 12 and 13: what
# differs between them is asked of apt, not of the release's name.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libsdl1.2-dev libsdl-ttf2.0-dev
  libgtest-dev libbenchmark-dev
  xvfb xdotool imagemagick x11-utils
  valgrind clang libclang-rt-dev python3 desktop-file-utils
  debhelper dpkg-dev fakeroot lintian appstream
  mmdebstrap sbuild autopkgtest uidmap
)
# Where the archive has them: sdl12-compat beside classic SDL 1.2 (Debian 12;
# on Debian 13 it is the only SDL 1.2 and libsdl1.2-dev already brings it).
optional=(libsdl1.2-compat)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
apt_get() { DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 "$@"; }
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
known() { apt-cache policy "$1" 2>/dev/null | grep -q 'Candidate: [^(]'; }

# A fresh system may have no package lists yet; without them apt knows nothing.
compgen -G '/var/lib/apt/lists/*_Packages*' >/dev/null || apt_get update -qq

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
for p in "${optional[@]}"; do
  installed "$p" || ! known "$p" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  apt_get update -qq
  apt_get install -y -qq "${missing[@]}"
fi

# sbuild and autopkgtest make their clean systems in a user namespace, which
# needs a subordinate id range for the user who runs them (adduser gives one to
# new users, not to root).
user=$(id -un)
if ! grep -q "^$user:" /etc/subuid 2>/dev/null || ! grep -q "^$user:" /etc/subgid 2>/dev/null; then
  echo "Adding subordinate ids 100000-165535 for $user"
  $sudo usermod --add-subuids 100000-165535 --add-subgids 100000-165535 "$user"
fi
