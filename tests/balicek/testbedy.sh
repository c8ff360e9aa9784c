#!/usr/bin/env bash
# The Debian package built and tested the Debian way in a clean system of each
# release: the source package of the checkout's files (tools/deb.sh --source)
# is built by sbuild, which runs the headless test suite during the build and
# lints the result with that release's lintian (no error, no warning), and the
# package's own tests (debian/tests) run with autopkgtest against the built
# package installed in a fresh copy of the same system.
#
#   tests/balicek/testbedy.sh [WORKDIR]
#
# Each release's system is an mmdebstrap tarball kept in
# ${XDG_CACHE_HOME:-~/.cache}/sachy/ and made again when older than a week.
# SACHY_TESTBEDY names the releases (default: bookworm trixie). Run as root,
# sbuild and autopkgtest need a subordinate id range for root in /etc/subuid
# and /etc/subgid (tools/setup.sh adds one).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=${1:-$root/build-testbedy}
cache=${XDG_CACHE_HOME:-$HOME/.cache}/sachy
read -r -a releases <<<"${SACHY_TESTBEDY:-bookworm trixie}"

fail() {
  echo "FAIL testbed: $*" >&2
  exit 1
}
step() { echo "-- $*"; }

rm -rf "$work"
work=$(mkdir -p "$work" && cd "$work" && pwd)
mkdir -p "$cache"

step "source package"
before=$(git -C "$root" status --porcelain --ignored=no 2>/dev/null || true)
dsc=$("$root/tools/deb.sh" --source "$work/zdroj" 2>"$work/zdroj.log") || {
  cat "$work/zdroj.log"
  fail "tools/deb.sh --source failed"
}
after=$(git -C "$root" status --porcelain --ignored=no 2>/dev/null || true)
[ "$before" = "$after" ] || fail "making the source package changed the checkout"
version=$(sed -n 's/^Version: //p' "$dsc")
arch=$(dpkg --print-architecture)
echo "$(basename "$dsc")"

for suite in "${releases[@]}"; do
  start=$SECONDS
  tarball=$cache/$suite.tar
  out=$work/$suite
  mkdir -p "$out"

  if [ ! -s "$tarball" ] || [ -n "$(find "$tarball" -mtime +6)" ]; then
    step "$suite: a clean system (mmdebstrap)"
    # Made aside and moved, so that an interrupted run leaves no half tarball.
    nice mmdebstrap --quiet --variant=buildd "$suite" "$tarball.new" >"$out/mmdebstrap.log" 2>&1 || {
      tail -20 "$out/mmdebstrap.log"
      rm -f "$tarball.new"
      fail "mmdebstrap $suite failed"
    }
    mv "$tarball.new" "$tarball"
  fi

  step "$suite: build, test suite and lintian (sbuild)"
  # noautodbgsym: the product is the one package. The .changes names the
  # testbed's release while debian/changelog says unstable, which lintian
  # would report as a mismatch of no meaning here. No --show-overrides:
  # Debian 12's lintian then fails on an overridden warning (exit status 2).
  status=0
  (cd "$out" && DEB_BUILD_OPTIONS="noautodbgsym parallel=${JOBS:-2}" nice sbuild \
    --chroot-mode=unshare --chroot="$tarball" -d "$suite" --arch="$arch" \
    --no-run-piuparts --no-run-autopkgtest --nolog --build-dir="$out" \
    --run-lintian --lintian-opts="--info --fail-on error,warning --suppress-tags distribution-and-changes-mismatch" \
    "$dsc") >"$out/sbuild.log" 2>&1 || status=$?
  deb=$out/sachy_${version}_${arch}.deb
  # What the test suite and lintian said, from sbuild's log.
  grep -E '^[0-9]+% tests passed|^Total Test time' "$out/sbuild.log" || true
  sed -n '/^Running lintian\.\.\./,/^+---/p' "$out/sbuild.log" | grep -v -e '^+---' -e '^$' \
    -e 'running with root privileges' || true
  if [ "$status" -ne 0 ] || [ ! -f "$deb" ]; then
    tail -60 "$out/sbuild.log"
    fail "$suite: sbuild failed (log: $out/sbuild.log)"
  fi
  grep -q '^I: Lintian run was successful' "$out/sbuild.log" ||
    fail "$suite: lintian reports errors or warnings"

  step "$suite: the package's own tests (autopkgtest)"
  # -U: the tarball has no package lists.
  status=0
  nice autopkgtest -U "$deb" "$dsc" -- unshare --release "$suite" --arch "$arch" \
    --tarball "$tarball" >"$out/autopkgtest.log" 2>&1 || status=$?
  sed -n '/@@@@@@@@@@@@@@@@@@@@ summary/,$p' "$out/autopkgtest.log"
  [ "$status" -eq 0 ] || {
    tail -60 "$out/autopkgtest.log"
    fail "$suite: autopkgtest ended with $status (log: $out/autopkgtest.log)"
  }
  echo "$suite: passed in $((SECONDS - start)) s"
done

echo "PASS testbeds: ${releases[*]}: built, tested, linted and the package's tests passed"
