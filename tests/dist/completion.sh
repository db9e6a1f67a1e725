#!/usr/bin/env bash
# Drives vaelgen's bash completion as bash does on Tab (COMP_WORDS and
# COMP_CWORD set, the function called) in a folder with a book, a loose
# chapter and other files.
source "$(dirname "$0")/common.sh"
cd "$work"
mkdir -p home books/north
printf 'North\r\n' >books/north/book.dat
cp "$VAEL_SOURCE_DIR/library/northlands/finnish.vel" "$VAEL_SOURCE_DIR/library/northlands/norse.vel" books/north/
cp "$VAEL_SOURCE_DIR/library/goblins.vel" books/
touch books/villages.txt books/notes.rtf
cd books
export HOME=$work/home
unset XDG_DATA_HOME
PATH=$(dirname "$VAELGEN"):$PATH

# shellcheck source=/dev/null
source "$VAEL_SOURCE_DIR/dist/vaelgen.bash-completion"
[[ $(complete -p vaelgen) == "complete -F _vaelgen vaelgen" ]] || fail "not registered: $(complete -p vaelgen)"

# What Tab offers for the words given, the last one being completed; one per
# line, sorted.
offers() {
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMPREPLY=()
  _vaelgen
  [ ${#COMPREPLY[@]} -eq 0 ] || printf '%s\n' "${COMPREPLY[@]}" | sort
}
expect() {
  local wanted=$1
  shift
  local got
  got=$(offers "$@")
  [[ $got == "$wanted" ]] || fail "vaelgen ${*:2}: offered [${got//$'\n'/, }], wanted [${wanted//$'\n'/, }]"
}

# Every option of --help, and only options.
[[ $(offers vaelgen -) == "$(help_options)" ]] || fail "options differ from --help: $(diff <(offers vaelgen -) <(help_options))"
expect $'--format' vaelgen --form
expect $'--no-prefixes\n--no-samples\n--no-statistical\n--no-structural\n--no-suffixes' vaelgen --no-

# Values.
expect $'csv\njson\nrtf\ntxt' vaelgen -o x.rtf --format ''
expect $'0\n1\n2\n3\n4\n5' vaelgen --rpg ''
expect $'0\n1\n2\n3\n4\n5\n6\n7\n8' vaelgen --lines ''
expect $'0\n1\n2\n3' vaelgen --fit ''
expect $'utf-8\nwindows-1252' vaelgen -o x.txt --encoding ''
expect '' vaelgen -n ''
expect $'goblins.vel\nnorth\nnotes.rtf\nvillages.txt' vaelgen -o ''
expect 'north' vaelgen --list ''
expect '' vaelgen --contains ''
expect '' vaelgen --starts-with ''
expect $'goblins.vel\nnorth\nnotes.rtf\nvillages.txt' vaelgen --clean-list ''

# Chapters: files, plain lists, folders and titles, ignoring case, with or
# without an opening quote.
expect $'Finnish given names\nGoblins\nOld Norse\ngoblins.vel\nnorth\nvillages.txt' vaelgen ''
expect 'Finnish given names' vaelgen fin
expect 'Finnish given names' vaelgen '"Finn'
expect $'north/finnish.vel\nnorth/norse.vel' vaelgen north/
expect $'Finnish given names' vaelgen -n 5 --seed 2 Fi
echo "completion: checked"
