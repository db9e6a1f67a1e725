#!/usr/bin/env bash
# The examples, run as a user runs them: each prints the names vaelgen
# prints for the same chapter, count and seed.
source "$VAEL_SOURCE_DIR/tests/dist/common.sh"
cp "$VAEL_SOURCE_DIR/library/northlands/norse.vel" "$work/"
chapter=$work/norse.vel
expected=$("$VAELGEN" -n 25 --seed 31 "$chapter")
[ "$(wc -l <<<"$expected")" -eq 25 ] || fail "vaelgen printed: $expected"
[ "$("$VAEL_EXAMPLE_C" "$chapter" 25 31)" = "$expected" ] || fail "names.c printed other names"
[ "$("$VAEL_EXAMPLE_CXX" "$chapter" 25 31)" = "$expected" ] || fail "names.cpp printed other names"
[ "$("$VAEL_EXAMPLE_CXX" "$chapter" 25 31 3)" = "$("$VAELGEN" -n 25 --seed 31 --fit 3 "$chapter")" ] ||
  fail "names.cpp with fit 3 printed other names"
log=$(VAEL_LOG=1 "$VAEL_EXAMPLE_CXX" "$chapter" 1 31 2>&1 >/dev/null)
[[ $log == "Vael log file"* ]] || fail "names.cpp printed no log: $log"
if [ -n "${VAEL_PYTHON:-}" ]; then
  [ "$(PYTHONPATH=$VAEL_PYTHON_PATH "$VAEL_PYTHON" "$VAEL_SOURCE_DIR/examples/names.py" "$chapter" 25 31)" = "$expected" ] ||
    fail "names.py printed other names"
fi
# A failure is said, not crashed on.
"$VAEL_EXAMPLE_C" "$work/none.vel" 2>"$work/err" && fail "names.c loaded a missing chapter"
grep -q "none.vel: no such file" "$work/err" || fail "names.c said: $(cat "$work/err")"
echo "examples: C, C++${VAEL_PYTHON:+ and Python} print vaelgen's names"
