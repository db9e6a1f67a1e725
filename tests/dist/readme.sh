#!/usr/bin/env bash
# The README tells a new user what no command shows them: that Tab
# completion works only where bash-completion is active, and which files are
# in which encoding.
source "$(dirname "$0")/common.sh"
readme=$VAEL_SOURCE_DIR/README.md

# The text of the section with this heading, up to the next one.
section() {
  awk -v heading="$1" '/^## / { inside = ($0 == "## " heading) } inside' "$readme"
}
section Install | grep -q 'bash-completion' ||
  fail "the README's Install section does not say that completion needs bash-completion"
vaelgen=$(section 'vaelgen: names from the command line')
for phrase in '--encoding utf-8' 'Windows-1252 with' 'CR LF'; do
  grep -qF -- "$phrase" <<<"$vaelgen" || fail "the README's vaelgen section does not explain encodings ($phrase)"
done
echo "readme: checked"
