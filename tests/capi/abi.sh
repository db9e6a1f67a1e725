#!/usr/bin/env bash
# The library's ABI against the baseline kept in capi/abi/: a change that
# breaks it fails unless the SONAME changes with it (and the baseline is
# written anew, with scripts/abi-baseline). Additions pass.
source "$VAEL_SOURCE_DIR/tests/dist/common.sh"
need abidw
need abidiff
baseline=$VAEL_SOURCE_DIR/capi/abi/libvael.abi
[ -f "$baseline" ] || fail "no ABI baseline: run scripts/abi-baseline"
headers=$(cd "$VAEL_SOURCE_DIR/capi/include/vael" && pwd)
abidw --headers-dir "$headers" --drop-private-types --exported-interfaces-only --no-corpus-path \
  --no-show-locs "$VAEL_LIBRARY" >"$work/current.abi" ||
  fail "abidw could not read $VAEL_LIBRARY"
old_soname=$(grep -o "soname='[^']*'" "$baseline" | head -1)
new_soname=$(grep -o "soname='[^']*'" "$work/current.abi" | head -1)
status=0
abidiff --no-added-syms "$baseline" "$work/current.abi" >"$work/diff" 2>&1 || status=$?
# abidiff's status bits: 1 error, 2 usage, 4 a change, 8 an incompatible
# change. A type that changes (a field moved, a size) is only "a change" to
# abidiff, yet breaks callers built against the old header; only added
# functions, which it is told to overlook, are free.
(( (status & 3) == 0 )) || fail "abidiff failed: $(cat "$work/diff")"
if (( status & 12 )); then
  [ "$old_soname" != "$new_soname" ] ||
    fail "an incompatible change with the SONAME unchanged ($new_soname):
$(cat "$work/diff")"
  echo "abi: incompatible, and the SONAME moved from $old_soname to $new_soname: write the new baseline"
else
  echo "abi: compatible with the baseline ($new_soname)"
fi
