#!/usr/bin/env bash
# Installs the built package system-wide with apt-get, as a person would, checks what the
# system then holds (program, card library, help, menu entry, icons, manual pages,
# dependencies met), runs the smoke test against the installed game through its installed
# layout, and purges the package again, checking that nothing of it stays behind.
#   installed_test.sh <package file> <xvfb_smoke.sh> <x_pixels helper>
# Installing changes the whole system, so it happens only where that is meant: in CI (the
# variable CI set) or when TARLYK_TEST_INSTALL=1, and only as root. Elsewhere the test is
# skipped (77). A tarlyk package installed beforehand is replaced and left installed.
set -u
deb="$1"
smoke="$2"
pixels="$3"

if [ -z "${CI:-}" ] && [ "${TARLYK_TEST_INSTALL:-}" != 1 ]; then
  echo "installed: skipped: installs system-wide, so only in CI or with TARLYK_TEST_INSTALL=1"
  exit 77
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "installed: skipped: installing the package needs root"
  exit 77
fi
[ -f "$deb" ] || { echo "installed: FAIL: $deb does not exist"; exit 1; }

installed() { dpkg-query -W -f='${Status}' tarlyk 2>/dev/null | grep -q 'install ok installed'; }
had_package=0
installed && had_package=1

apt_get() { DEBIAN_FRONTEND=noninteractive apt-get -y -q "$@"; }
purge() {
  [ "$had_package" = 1 ] && return 0
  installed && apt_get purge tarlyk >/dev/null
}
trap purge EXIT
fail() {
  echo "installed: FAIL: $*"
  exit 1
}

# apt-get resolves the dependencies from the archive; stale package lists get one refresh.
if ! apt_get install --reinstall "$deb" >"${TMPDIR:-/tmp}/tarlyk-apt-$$.log" 2>&1; then
  apt_get update >/dev/null 2>&1
  apt_get install --reinstall "$deb" >"${TMPDIR:-/tmp}/tarlyk-apt-$$.log" 2>&1 ||
    { cat "${TMPDIR:-/tmp}/tarlyk-apt-$$.log"; rm -f "${TMPDIR:-/tmp}/tarlyk-apt-$$.log"; fail "apt-get could not install $deb"; }
fi
rm -f "${TMPDIR:-/tmp}/tarlyk-apt-$$.log"
installed || fail "dpkg does not list tarlyk as installed"
version="$(dpkg-deb -f "$deb" Version)"
[ "$(dpkg-query -W -f='${Version}' tarlyk)" = "$version" ] || fail "installed version differs"
apt-get check >/dev/null 2>&1 || fail "dependencies are not met after installing"

for path in /usr/games/tarlyk /usr/lib/tarlyk/Cards.dll /usr/share/tarlyk/Tarlyk.chm \
            /usr/share/applications/org.example.tarlyk.desktop \
            /usr/share/metainfo/org.example.tarlyk.metainfo.xml \
            /usr/share/man/man6/tarlyk.6.gz /usr/share/man/ru/man6/tarlyk.6.gz \
            /usr/share/doc/tarlyk/copyright; do
  [ -f "$path" ] || fail "$path is missing"
done
for size in 16 32 48 64 128 256; do
  [ -f "/usr/share/icons/hicolor/${size}x${size}/apps/tarlyk.png" ] || fail "no ${size}-pixel icon"
done
# The menu entry's command is found on the PATH a desktop session gives its users.
PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games command -v tarlyk >/dev/null ||
  fail "tarlyk is not on a user's PATH"
# The help is where the installed program looks for it: beside it, then in ../share/tarlyk.
[ -f "$(dirname "$(readlink -f /usr/games/tarlyk)")/../share/tarlyk/Tarlyk.chm" ] ||
  fail "the help file is not where the program looks"

"$smoke" /usr/games/tarlyk "$pixels" /usr || fail "the smoke test failed on the installed game"

if [ "$had_package" = 0 ]; then
  apt_get purge tarlyk >/dev/null || fail "apt-get could not remove the package"
  for path in /usr/games/tarlyk /usr/lib/tarlyk /usr/share/tarlyk /usr/share/doc/tarlyk \
              /usr/share/applications/org.example.tarlyk.desktop; do
    [ -e "$path" ] && fail "$path is left after purging"
  done
  echo "installed: installed, ran and purged $(basename "$deb")"
else
  echo "installed: installed and ran $(basename "$deb"); the package stays installed as before"
fi
