#!/usr/bin/env bash
# The Debian package, checked with the distribution's own tools: it builds
# from the checkout's files (tools/deb.sh) and leaves the checkout as it was;
# lintian finds no error or warning; the installed desktop entry and AppStream
# data pass their validators; the package installs with apt-get and with
# either SDL 1.2 library; the game started from its menu entry shows the start
# position and plays e2-e4; the book checker finds a broken line; and a purge
# leaves no file of the package behind.
#
#   tests/balicek/test_balicek.sh [WORKDIR]
#
# Installs and purges the package `sachy` on this machine (with sudo when not
# root); a `sachy` installed before is purged first.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=${1:-$root/build-balicek}
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive

fail() {
  echo "FAIL package: $*" >&2
  exit 1
}
step() { echo "-- $*"; }

rm -rf "$work"
# Absolute, because apt-get takes a relative path without ./ for a package name.
work=$(mkdir -p "$work" && cd "$work" && pwd)

step "build"
before=$(git -C "$root" status --porcelain --ignored=no 2>/dev/null || true)
"$root/tools/deb.sh" "$work" >"$work/build.log" 2>&1 || {
  tail -40 "$work/build.log"
  fail "tools/deb.sh failed (log: $work/build.log)"
}
after=$(git -C "$root" status --porcelain --ignored=no 2>/dev/null || true)
[ "$before" = "$after" ] || fail "building the package changed the checkout"

version=$(sed -n 's/^project(sachy VERSION \([0-9.]*\) .*/\1/p' "$root/CMakeLists.txt")
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
deb="$work/sachy_${version}_${arch}.deb"
[ -f "$deb" ] || fail "no $deb (is debian/changelog at version $version?)"
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"

step "lintian"
# Errors and warnings fail; what lintian says at lower levels is shown.
status=0
lintian --info --fail-on error,warning "$work/sachy_${version}_${arch}.changes" \
  >"$work/lintian.log" 2>&1 || status=$?
grep -v 'running with root privileges' "$work/lintian.log" || true
[ "$status" -eq 0 ] || fail "lintian reports errors or warnings"

step "the other SDL 1.2 library"
# The SDL dependency comes from dpkg-shlibdeps; sdl12-compat's shim provides
# the classic library's package. Asked of apt without changing anything.
sdl=$(echo "$depends" | tr ',' '\n' | grep -o 'libsdl1\.2debian[^,]*' || true)
[ -n "$sdl" ] || fail "no libsdl1.2debian in Depends: $depends"
if apt-cache show libsdl1.2-compat-shim >/dev/null 2>&1; then
  apt-get -s -q install "$deb" libsdl1.2-compat-shim >"$work/shim.log" 2>&1 ||
    fail "apt cannot install the package with libsdl1.2-compat-shim: $(tail -5 "$work/shim.log")"
  grep -q '^Inst sachy ' "$work/shim.log" || fail "apt would not install sachy beside the shim"
  grep -q '^Inst libsdl1.2-compat-shim ' "$work/shim.log" ||
    grep -q '^libsdl1.2-compat-shim is already' "$work/shim.log" ||
    fail "apt would not use libsdl1.2-compat-shim"
  echo "installable with libsdl1.2-compat-shim ($sdl)"
else
  echo "apt knows no libsdl1.2-compat-shim here; not checked"
fi

step "install"
if dpkg-query -W -f='${Status}' sachy 2>/dev/null | grep -qv 'not-installed'; then
  echo "purging the sachy installed before"
  $sudo apt-get purge -y -qq sachy >/dev/null
fi
trap '$sudo apt-get purge -y -qq sachy >/dev/null 2>&1 || true' EXIT
$sudo apt-get install -y -qq "$deb" >"$work/install.log" 2>&1 || {
  cat "$work/install.log"
  fail "apt-get install failed"
}
[ "$(dpkg-query -W -f='${Version}' sachy)" = "$version" ] || fail "installed version is not $version"
dpkg -L sachy >"$work/files"

step "metadata"
desktop-file-validate /usr/share/applications/sachy.desktop || fail "desktop-file-validate"
for m in /usr/share/metainfo/*.metainfo.xml; do
  if dpkg -S "$m" 2>/dev/null | grep -q '^sachy:'; then
    appstreamcli validate --no-net "$m" || fail "appstreamcli validate $m"
    grep -q "<release version=\"$version\"" "$m" || fail "$m has no release $version"
  fi
done
for page in sachy sachy-kniha; do
  man -w "$page" >/dev/null 2>&1 || [ -f "/usr/share/man/man6/$page.6.gz" ] ||
    fail "no manual page $page(6)"
done

step "the game from its menu entry"
python3 "$root/tests/balicek/z_nabidky.py" /usr/share/applications/sachy.desktop \
  "$root/assets" || fail "the installed game"

step "the book checker"
kniha="$work/kniha"
mkdir -p "$kniha"
(cd /usr/share/games/sachy && /usr/games/sachy-kniha >/dev/null) ||
  fail "sachy-kniha finds problems in the installed book"
# Black's first answer on line 7 becomes a pawn's step of three squares.
awk 'NR == 7 { $2 = "e7e4" } { print }' /usr/share/games/sachy/a.txt >"$kniha/a.txt"
status=0
(cd "$kniha" && /usr/games/sachy-kniha) >"$kniha/vystup" 2>&1 || status=$?
cat "$kniha/vystup"
[ "$status" -eq 1 ] || fail "sachy-kniha ended with $status on a broken book, not 1"
grep -qx 'a.txt:7:2: e7e4: pocitac tah cerneho preskoci: pesec z e7 na e4 tahnout nemuze' \
  "$kniha/vystup" || fail "sachy-kniha did not report the broken move"
grep -q '^a.txt:7:3: ' "$kniha/vystup" || fail "sachy-kniha did not report the rest of line 7"
[ "$(grep -c '^a.txt:[0-9]*:' "$kniha/vystup")" -eq 2 ] || fail "sachy-kniha reported other lines"
status=0
/usr/games/sachy-kniha "$kniha/chybi.txt" 2>/dev/null || status=$?
[ "$status" -eq 2 ] || fail "sachy-kniha ended with $status on a missing file, not 2"

step "purge"
$sudo apt-get purge -y -qq sachy >/dev/null 2>&1 || fail "apt-get purge failed"
trap - EXIT
dpkg-query -W -f='${Status}' sachy 2>/dev/null | grep -qv 'not-installed' &&
  fail "dpkg still knows sachy after the purge"
left=0
while IFS= read -r path; do
  [ "$path" = "/." ] && continue
  if [ -d "$path" ] && [ ! -L "$path" ]; then
    # A directory may stay only while another package owns it too.
    dpkg -S "$path" >/dev/null 2>&1 && continue
  elif [ ! -e "$path" ] && [ ! -L "$path" ]; then
    continue
  fi
  echo "left behind: $path"
  left=$((left + 1))
done <"$work/files"
[ "$left" -eq 0 ] || fail "the purge left $left paths of the package"
rm -rf "$kniha"

echo "PASS package: built, lintian, validators, installed, played, checked, purged"
