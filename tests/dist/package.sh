#!/usr/bin/env bash
# Builds the Debian package from the build and checks it without installing
# it: its name and fields, lintian finding no errors, the files a desktop
# needs, and the extracted vaelgen running on the extracted library from an
# unrelated folder.
source "$(dirname "$0")/common.sh"
need cpack
need dpkg-deb
need lintian
cpack -G DEB --config "$VAEL_BUILD_DIR/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
  fail "cpack: $(cat "$work/cpack.log")"
version=$("$VAELGEN" --version | awk '{print $NF}')
deb=$work/package/vael_${version}-1_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$work/package")"

for field in Maintainer Description Section Priority; do
  [ -n "$(dpkg-deb -f "$deb" "$field")" ] || fail "the package has no $field"
done
[[ $(dpkg-deb -f "$deb" Depends) == *libqt6widgets6* ]] || fail "the libraries are not among the dependencies"

# As scripts/package checks it, with the one warning it justifies.
lintian --fail-on error,warning --suppress-tags initial-upload-closes-no-bugs "$deb" >"$work/lintian" 2>&1 ||
  fail "lintian: $(cat "$work/lintian")"
grep -v '^running with root' "$work/lintian" || true

dpkg-deb -x "$deb" "$work/root"
app=org.vaelorn.Vael
for file in usr/bin/vael usr/bin/vaelgen usr/share/applications/$app.desktop \
  usr/share/icons/hicolor/scalable/apps/$app.svg usr/share/icons/hicolor/48x48/apps/$app.png \
  usr/share/metainfo/$app.metainfo.xml usr/share/man/man1/vael.1.gz usr/share/man/man1/vaelgen.1.gz \
  usr/share/bash-completion/completions/vaelgen usr/share/doc/vael/copyright \
  usr/share/doc/vael/changelog.Debian.gz usr/share/vael/library/vael.hlp; do
  [ -f "$work/root/$file" ] || fail "$file is not in the package"
done

mkdir -p "$work/home" "$work/elsewhere"
cd "$work/elsewhere"
names=$(env -u XDG_DATA_HOME HOME="$work/home" "$work/root/usr/bin/vaelgen" --seed 9 -n 4 "Finnish given names")
[ "$(wc -l <<<"$names")" -eq 4 ] || fail "the extracted vaelgen printed: $names"
[ -f "$work/home/.local/share/vael/library/northlands/finnish.qch" ] || fail "no user's library"
echo "package: $(basename "$deb") checked"
