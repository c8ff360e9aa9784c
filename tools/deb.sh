#!/usr/bin/env bash
# Builds the Debian package sachy_VERSION_ARCH.deb from this checkout and
# puts it in OUTDIR (default: the current directory), with the source package
# and the .changes that lintian reads:
#
#   tools/deb.sh [OUTDIR]
#   tools/deb.sh --source [OUTDIR]   only the source package (.dsc and tarball),
#                                    for a build elsewhere (tests/balicek/testbedy.sh)
#
# The build runs on a temporary copy of the files git knows of (committed,
# changed or new, but not ignored), so the checkout stays clean and nothing
# left from an earlier build gets in. It is dpkg-buildpackage -us -uc; the
# build dependencies must be installed (tools/setup.sh does that).
set -euo pipefail
jen_zdroj=false
if [ "${1:-}" = --source ]; then
  jen_zdroj=true
  shift
fi
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-.}" && cd "${1:-.}" && pwd)

tmp=$(mktemp -d -t sachy-deb.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/sachy"
if git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  (cd "$root" && git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
    tar --null -T - -cf - | tar -xf - -C "$tmp/sachy")
else
  cp -a "$root/." "$tmp/sachy"
fi

cd "$tmp/sachy"
version=$(dpkg-parsechangelog -S Version)
if $jen_zdroj; then
  (cd "$tmp" && dpkg-source -b sachy) >&2
  cp "$tmp/sachy_${version}.dsc" "$tmp/sachy_${version}.tar."* "$out/"
  echo "$out/sachy_${version}.dsc"
  exit 0
fi
# No separate debug symbols package: the script's product is the one .deb.
DEB_BUILD_OPTIONS=$(echo "${DEB_BUILD_OPTIONS:-} noautodbgsym parallel=${JOBS:-2}" | xargs) \
  dpkg-buildpackage -us -uc
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
deb="sachy_${version}_${arch}.deb"
cp "$tmp/$deb" "$tmp/sachy_${version}.dsc" "$tmp/sachy_${version}.tar."* \
  "$tmp/sachy_${version}_${arch}.buildinfo" "$tmp/sachy_${version}_${arch}.changes" "$out/"
echo "$out/$deb"
