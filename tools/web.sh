#!/usr/bin/env bash
# The game in a web browser: installs what it needs (Debian's emscripten,
# Node.js), builds the site with Emscripten from the same CMake project, and
# serves, packs or tests it.
#
#   tools/web.sh [SITE]             builds the site into SITE (default build-web/site)
#   tools/web.sh serve [SITE] [PORT]  builds it and serves it on http://127.0.0.1:PORT/ (8000)
#   tools/web.sh zip [OUTDIR]       builds it and packs OUTDIR/sachy-web-VERSION.zip (default out/)
#   tools/web.sh test [SITE]        builds it and runs the browser test in Debian's chromium
#   tools/web.sh bench [SITE]       builds it and measures it there (bench/web.mjs)
#
# SACHY_WEB_BUILD names another build directory than build-web. The site is
# a folder of static files; any web server hosts it that sends
# .wasm as application/wasm.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SACHY_WEB_BUILD:-$root/build-web}

prikaz=build
case "${1:-}" in
  serve | zip | test | bench) prikaz=$1; shift ;;
esac

instaluj() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  ((${#missing[@]})) || return 0
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq "${missing[@]}"
}

# Debian's emscripten brings Debian's Node.js; a Node.js installed some other
# way (a machine image's, say) is used as it is, and npm with it.
potreby=(emscripten cmake python3)
command -v node >/dev/null || potreby+=(nodejs)
if [ "$prikaz" = test ] || [ "$prikaz" = bench ]; then
  command -v npm >/dev/null || potreby+=(npm)
  potreby+=(chromium)
fi
instaluj "${potreby[@]}"
# Debian's emscripten finds its JavaScript modules there only with Debian's Node.js.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

site=$build/site
if [ "$prikaz" != zip ] && [ -n "${1:-}" ]; then
  site=$(realpath -m "$1")
  shift
fi

echo "== The site, built with Emscripten into $site =="
# Emscripten's toolchain, not the host's pkg-config and SDL: the project
# takes SDL from Emscripten when EMSCRIPTEN is set.
emcmake cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=MinSizeRel -DSACHY_WEB_SITE="$site" >/dev/null
cmake --build "$build" -j"${JOBS:-2}"

case "$prikaz" in
  serve)
    exec node "$root/tools/web_server.mjs" "$site" "${1:-8000}"
    ;;
  zip)
    out=$(realpath -m "${1:-$root/out}")
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
    name=sachy-web-$version
    tmp=$(mktemp -d)
    trap 'rm -rf "$tmp"' EXIT
    cp -r "$site" "$tmp/$name"
    mkdir -p "$out"
    rm -f "$out/$name.zip"
    (cd "$tmp" && python3 -m zipfile -c "$out/$name.zip" "$name")
    echo "$out/$name.zip"
    ;;
  test | bench)
    # Versions from the lock file; the browser is Debian's, none is downloaded.
    (cd "$root/tests/web" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
    skript=$root/tests/web/test_web.mjs
    [ "$prikaz" = test ] || skript=$root/bench/web.mjs
    timeout -k 10 900 node "$skript" "$site"
    ;;
esac
