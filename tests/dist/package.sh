#!/usr/bin/env bash
# Builds the Debian packages from the build and checks them without
# installing them: their names and fields, lintian finding no errors, the
# files a desktop needs, the extracted vaelgen running on the extracted
# library from an unrelated folder, and where the library is built, a
# program and the Python module using the extracted libvael.
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

# As scripts/package checks them, with the warnings it justifies.
arch=$(dpkg --print-architecture)
debs=("$deb")
library_built=false
if [ -n "${VAEL_LIBRARY:-}" ]; then
  library_built=true
  soname=$(objdump -p "$VAEL_LIBRARY" | awk '$1 == "SONAME" {print $2}')
  library_package=libvael${soname#libvael.so.}
  for name in "$library_package" libvael-dev python3-vael; do
    debs+=("$work/package/${name}_${version}-1_$arch.deb")
    [ -f "${debs[-1]}" ] || fail "no $(basename "${debs[-1]}"): $(ls "$work/package")"
  done
  [ "$(dpkg-deb -f "${debs[2]}" Depends)" = "$library_package (= $version-1)" ] ||
    fail "libvael-dev depends on: $(dpkg-deb -f "${debs[2]}" Depends)"
  [[ $(dpkg-deb -f "${debs[3]}" Depends) == "$library_package (= $version-1), python3 "* ]] ||
    fail "python3-vael depends on: $(dpkg-deb -f "${debs[3]}" Depends)"
fi
lintian --fail-on error,warning --suppress-tags initial-upload-closes-no-bugs,maintscript-calls-ldconfig \
  "${debs[@]}" >"$work/lintian" 2>&1 || fail "lintian: $(cat "$work/lintian")"
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

if $library_built; then
  for package in "${debs[@]:1}"; do dpkg-deb -x "$package" "$work/libroot"; done
  usr=$work/libroot/usr
  libdir=$(dirname "$(find "$usr/lib" -name 'libvael.so')")
  for file in include/vael/vael.h include/vael/vael.hpp share/doc/libvael-dev/examples/names.c \
    share/doc/libvael-dev/api.md; do
    [ -f "$usr/$file" ] || fail "$file is not in the library's packages"
  done
  [ -f "$libdir/pkgconfig/vael.pc" ] && [ -f "$libdir/cmake/Vael/VaelConfig.cmake" ] ||
    fail "no vael.pc or CMake package in $libdir"
  cc -std=c99 -I"$usr/include" -o "$work/names" "$usr/share/doc/libvael-dev/examples/names.c" \
    -L"$libdir" -lvael || fail "the packaged example does not build"
  cp "$work/root/usr/share/vael/library/northlands/finnish.vel" "$work/"
  expected=$("$work/root/usr/bin/vaelgen" -n 5 --seed 2 "$work/finnish.vel")
  [ "$(LD_LIBRARY_PATH=$libdir "$work/names" "$work/finnish.vel" 5 2)" = "$expected" ] ||
    fail "the packaged library made other names"
  if command -v python3 >/dev/null; then
    names=$(LD_LIBRARY_PATH=$libdir PYTHONPATH=$usr/lib/python3/dist-packages /usr/bin/python3 -c \
      "import vael, sys; print('\n'.join(vael.Chapter(sys.argv[1]).names(5, seed=2)))" "$work/finnish.vel") ||
      fail "the packaged Python module does not load"
    [ "$names" = "$expected" ] || fail "the packaged Python module made other names"
  fi
fi
echo "package: $(for d in "${debs[@]}"; do basename "$d"; done | tr '\n' ' ')checked"
