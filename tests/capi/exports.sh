#!/usr/bin/env bash
# The shared library exports the interface's vael_ names and nothing else,
# each under the version node, and carries its SONAME.
source "$VAEL_SOURCE_DIR/tests/dist/common.sh"
need nm
need objdump
symbols=$(nm -D --defined-only "$VAEL_LIBRARY" | awk '$2 != "A" {print $3}')
[ -n "$symbols" ] || fail "the library exports nothing"
others=$(grep -v '^vael_[a-z_]*@@VAEL_1$' <<<"$symbols" || true)
[ -z "$others" ] || fail "exported beside the interface: $others"
# Every function the header declares is exported.
declared=$(grep -o 'VAEL_API [^(]*(' "$VAEL_SOURCE_DIR/capi/include/vael/vael.h" |
  grep -o 'vael_[a-z_]*(' | tr -d '(' | sort)
exported=$(sed 's/@@VAEL_1$//' <<<"$symbols" | sort)
[ "$declared" = "$exported" ] || fail "declared and exported differ: $(diff <(echo "$declared") <(echo "$exported"))"
soname=$(objdump -p "$VAEL_LIBRARY" | awk '$1 == "SONAME" {print $2}')
[[ $soname == libvael.so.[0-9]* ]] || fail "the SONAME is '$soname'"
echo "exports: $(wc -l <<<"$exported") vael_ functions, SONAME $soname"
