#!/usr/bin/env bash
# Checks the built Debian package without installing it: its name, its control fields
# (dependencies from the binaries and the named ones, no maintainer scripts), exactly
# the expected files with their modes, a stripped program whose RUNPATH leads to the
# card library, icons of the size their directory says, and a valid desktop entry.
#   check_deb.sh <package file> <version>
set -u
deb="$1"
version="$2"

problems=()
fail() { problems+=("$*"); }

arch="$(dpkg --print-architecture)"
[ "$(basename "$deb")" = "tarlyk_${version}_${arch}.deb" ] ||
  fail "file name $(basename "$deb"), not tarlyk_${version}_${arch}.deb"
[ -f "$deb" ] || { echo "package: FAIL: $deb does not exist (make deb)"; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tarlyk ] || fail "Package is $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version is $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is $(field Architecture)"
[ "$(field Section)" = games ] || fail "Section is $(field Section)"
depends="$(field Depends)"
# From the binaries (dpkg-shlibdeps, with versions) and the named run-time needs.
for need in "libc6 (>=" "libqt6core6 (>=" "libqt6gui6 (>=" "libqt6widgets6 (>=" \
            "libxcb1" "libxcb-keysyms1 (>=" "fonts-wine" "qt6-wayland"; do
  [[ ", $depends," == *", $need"* ]] || fail "Depends lacks $need: $depends"
done
[ "$(field Recommends)" = qt6-translations-l10n ] || fail "Recommends is $(field Recommends)"
maintainer="$(field Maintainer)"
[[ "$maintainer" == *" <"*@*">" ]] || fail "Maintainer is $maintainer"
# Long description lines fit a terminal.
while IFS= read -r line; do
  [ "${#line}" -le 80 ] || fail "description line of ${#line} characters"
done < <(field Description)

dpkg-deb --ctrl-tarfile "$deb" | tar -t | sed 's|^\./||' | grep -v '^$' | sort >"$work/control"
[ "$(tr '\n' ' ' <"$work/control")" = "control md5sums " ] ||
  fail "control members: $(tr '\n' ' ' <"$work/control")"

# Every file, with its mode; directories are 0755.
expected="-rwxr-xr-x usr/games/tarlyk
-rw-r--r-- usr/lib/tarlyk/Cards.dll
-rw-r--r-- usr/share/applications/org.example.tarlyk.desktop
-rw-r--r-- usr/share/doc/tarlyk/changelog.gz
-rw-r--r-- usr/share/doc/tarlyk/copyright
-rw-r--r-- usr/share/icons/hicolor/128x128/apps/tarlyk.png
-rw-r--r-- usr/share/icons/hicolor/16x16/apps/tarlyk.png
-rw-r--r-- usr/share/icons/hicolor/256x256/apps/tarlyk.png
-rw-r--r-- usr/share/icons/hicolor/32x32/apps/tarlyk.png
-rw-r--r-- usr/share/icons/hicolor/48x48/apps/tarlyk.png
-rw-r--r-- usr/share/icons/hicolor/64x64/apps/tarlyk.png
-rw-r--r-- usr/share/man/man6/tarlyk.6.gz
-rw-r--r-- usr/share/man/ru/man6/tarlyk.6.gz
-rw-r--r-- usr/share/metainfo/org.example.tarlyk.metainfo.xml
-rw-r--r-- usr/share/tarlyk/Tarlyk.chm"
listing="$(dpkg-deb -c "$deb")"
actual="$(awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $1, $6 }' <<<"$listing" | sort -k2)"
if [ "$actual" != "$expected" ]; then
  fail "files differ from the expected ones:
$(diff <(echo "$expected") <(echo "$actual") | grep '^[<>]')"
fi
bad_dirs="$(awk '$1 ~ /^d/ && $1 != "drwxr-xr-x" { print $6 }' <<<"$listing")"
[ -z "$bad_dirs" ] || fail "directories not 0755: $bad_dirs"
owners="$(awk '$2 != "root/root" { print $6 }' <<<"$listing")"
[ -z "$owners" ] || fail "not owned by root: $owners"

dpkg-deb -x "$deb" "$work/root"
root="$work/root"
program="$root/usr/games/tarlyk"
if [ -f "$program" ]; then
  runpath="$(readelf -d "$program" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')"
  [ "$runpath" = '$ORIGIN:$ORIGIN/../lib/tarlyk' ] || fail "RUNPATH of the program is '$runpath'"
  [ -f "$(dirname "$program")/../lib/tarlyk/Cards.dll" ] || fail "RUNPATH leads to no Cards.dll"
  [ -z "$(readelf -S "$program" | grep -E '\.symtab|\.debug_')" ] || fail "the program is not stripped"
fi
readelf -d "$root/usr/lib/tarlyk/Cards.dll" 2>/dev/null | grep -q 'NEEDED.*libc\.so' ||
  fail "Cards.dll does not name the C library"

for size in 16 32 48 64 128 256; do
  icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/tarlyk.png"
  file -b "$icon" | grep -q "PNG image data, $size x $size," || fail "icon $size: $(file -b "$icon")"
done
if command -v desktop-file-validate >/dev/null; then
  out="$(desktop-file-validate "$root/usr/share/applications/org.example.tarlyk.desktop" 2>&1)" ||
    fail "desktop entry: $out"
fi
grep -qx 'Exec=tarlyk' "$root/usr/share/applications/org.example.tarlyk.desktop" ||
  fail "the desktop entry does not start tarlyk"
for page in "$root/usr/share/man/man6/tarlyk.6.gz" "$root/usr/share/man/ru/man6/tarlyk.6.gz" \
            "$root/usr/share/doc/tarlyk/changelog.gz"; do
  gzip -t "$page" 2>/dev/null || fail "$(basename "$page") is not gzip data"
done
zcat "$root/usr/share/doc/tarlyk/changelog.gz" | head -n1 | grep -q "^tarlyk ($version) " ||
  fail "the changelog does not start with version $version"
head -n1 "$root/usr/share/doc/tarlyk/copyright" |
  grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "the copyright file is not in the machine-readable format"

if [ ${#problems[@]} -gt 0 ]; then
  printf 'package: FAIL: %s\n' "${problems[@]}"
  exit 1
fi
echo "package: $(basename "$deb"): $(wc -l <<<"$expected") files as expected"
