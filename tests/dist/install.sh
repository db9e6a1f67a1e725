#!/usr/bin/env bash
# Installs the build under a scratch prefix and looks at it as a desktop and
# a new user would: every file in its place, the menu entry and the metainfo
# valid, and the installed vaelgen working from an unrelated folder on a
# library of the user's own, made from the installed samples.
source "$(dirname "$0")/common.sh"
need desktop-file-validate
need appstreamcli
prefix=$work/prefix
cmake --install "$VAEL_BUILD_DIR" --prefix "$prefix" >/dev/null

app=org.vaelorn.Vael
for file in bin/vael bin/vaelgen \
  share/applications/$app.desktop share/metainfo/$app.metainfo.xml \
  share/icons/hicolor/scalable/apps/$app.svg share/icons/hicolor/48x48/apps/$app.png \
  share/icons/hicolor/128x128/apps/$app.png share/icons/hicolor/256x256/apps/$app.png \
  share/man/man1/vael.1.gz share/man/man1/vaelgen.1.gz \
  share/bash-completion/completions/vaelgen share/doc/vael/copyright \
  share/vael/library/vael.hlp share/vael/library/faecourt.qch share/vael/library/goblins.vel \
  share/vael/library/elder/book.dat share/vael/library/elder/chapters.hlp \
  share/vael/library/elder/woodelves.vel share/vael/offensive-words.txt; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
[ -x "$prefix/bin/vael" ] && [ -x "$prefix/bin/vaelgen" ] || fail "the programs are not executable"
# Every book of the sample library, and no compiled chapter but the one
# that has no text beside it; nothing but the package's own files.
for book in "$VAEL_SOURCE_DIR"/library/*/book.dat; do
  name=$(basename "$(dirname "$book")")
  [ -f "$prefix/share/vael/library/$name/book.dat" ] || fail "book $name is not installed"
done
compiled=$(cd "$prefix/share/vael/library" && find . -name '*.qch')
[[ $compiled == ./faecourt.qch ]] || fail "compiled chapters installed: $compiled"
[ ! -e "$prefix/share/doc/vael/changelog.Debian.gz" ] || fail "the package's change log is installed"

desktop-file-validate "$prefix/share/applications/$app.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml" >"$work/appstream" ||
  fail "metainfo: $(cat "$work/appstream")"
grep -q '^Exec=vael$' "$prefix/share/applications/$app.desktop" || fail "the menu entry does not start vael"
for page in vael vaelgen; do
  MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1.gz" >/dev/null 2>"$work/err"
  [ ! -s "$work/err" ] || fail "$page.1.gz: $(cat "$work/err")"
done

# A new user far from the prefix: the library is made in the home folder and
# the compiled chapter lands there.
mkdir -p "$work/home" "$work/elsewhere"
cd "$work/elsewhere"
names=$(env -u XDG_DATA_HOME HOME="$work/home" "$prefix/bin/vaelgen" --seed 4 -n 3 "Wood elves")
[ "$(wc -l <<<"$names")" -eq 3 ] || fail "vaelgen printed: $names"
user=$work/home/.local/share/vael/library
[ -f "$user/elder/woodelves.qch" ] || fail "no compiled chapter in the user's library"
[ ! -e "$prefix/share/vael/library/elder/woodelves.qch" ] || fail "a compiled chapter was written into the prefix"
diff -r -x '*.qch' "$prefix/share/vael/library" "$user" || fail "the user's library differs from the samples"
env -u XDG_DATA_HOME HOME="$work/home" "$prefix/bin/vaelgen" --list | grep -q "^  Wood elves  *$user/elder/woodelves.vel$" ||
  fail "--list does not show the user's library"
# --clean finds the list of offensive words installed beside the library.
clean=$(env -u XDG_DATA_HOME HOME="$work/home" "$prefix/bin/vaelgen" --seed 4 -n 3 --clean "Wood elves" 2>&1) ||
  fail "vaelgen --clean: $clean"
echo "install: checked under $prefix"
