#!/usr/bin/env bash
# The web version's figures: builds the site (tools/web.sh), installs the
# browser test's locked npm packages and measures in Debian's chromium.
# Usage: bench/web.sh [site-dir]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
site=$(realpath -m "${1:-$root/build-web/site}")
"$root/tools/web.sh" "$site" >/dev/null
command -v chromium >/dev/null || "$root/tools/web.sh" test "$site"
(cd "$root/tests/web" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
timeout -k 10 600 node "$root/bench/web.mjs" "$site"
