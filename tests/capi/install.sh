#!/usr/bin/env bash
# libvael installed under a scratch prefix and used the ways a user's build
# finds it: a C program compiled with pkg-config's flags, the examples
# configured on their own with find_package(Vael), and the Python module
# imported from the install.
source "$VAEL_SOURCE_DIR/tests/dist/common.sh"
need pkg-config
need cc
prefix=$work/prefix
cmake --install "$VAEL_BUILD_DIR" --prefix "$prefix" >"$work/install.log" 2>&1 ||
  fail "install: $(cat "$work/install.log")"
for file in include/vael/vael.h include/vael/vael.hpp; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
cp "$VAEL_SOURCE_DIR/library/isles/welsh.vel" "$work/"
expected=$("$VAELGEN" -n 12 --seed 5 "$work/welsh.vel")

pc=$(dirname "$(find "$prefix" -name vael.pc)")
flags=$(PKG_CONFIG_PATH=$pc pkg-config --cflags --libs vael) || fail "pkg-config knows no vael"
libdir=$(PKG_CONFIG_PATH=$pc pkg-config --variable=libdir vael)
[ -e "$libdir/libvael.so" ] || fail "pkg-config's libdir $libdir holds no libvael.so"
# shellcheck disable=SC2086
cc -std=c99 -Wall -Wextra -pedantic -Werror -o "$work/names" "$VAEL_SOURCE_DIR/examples/names.c" $flags \
  -Wl,-rpath,"$libdir" 2>"$work/cc.log" || fail "cc with pkg-config's flags: $(cat "$work/cc.log")"
[ "$("$work/names" "$work/welsh.vel" 12 5)" = "$expected" ] || fail "the pkg-config build printed other names"

cmake -S "$VAEL_SOURCE_DIR/examples" -B "$work/examples" -DCMAKE_PREFIX_PATH="$prefix" \
  >"$work/configure.log" 2>&1 || fail "find_package(Vael): $(cat "$work/configure.log")"
cmake --build "$work/examples" >"$work/build.log" 2>&1 || fail "examples: $(cat "$work/build.log")"
[ "$("$work/examples/names++" "$work/welsh.vel" 12 5)" = "$expected" ] ||
  fail "the find_package build printed other names"

if [ -n "${VAEL_PYTHON:-}" ]; then
  site=$(dirname "$(find "$prefix" -path '*/vael/__init__.py')")
  [ -f "$site/__init__.pyi" ] && [ -f "$site/py.typed" ] || fail "the Python stub is not installed"
  names=$(cd "$work" && PYTHONPATH=$(dirname "$site") "$VAEL_PYTHON" -c \
    "import vael; print('\n'.join(vael.Chapter('welsh.vel').names(12, seed=5)))") ||
    fail "the installed Python module does not load"
  [ "$names" = "$expected" ] || fail "the installed Python module printed other names"
fi
echo "install: pkg-config, find_package${VAEL_PYTHON:+ and the Python module} work from $prefix"
