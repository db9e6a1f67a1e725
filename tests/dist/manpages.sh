#!/usr/bin/env bash
# The manual pages render without a warning, and vaelgen's page describes
# every option its --help lists, for the version it is.
source "$(dirname "$0")/common.sh"
need man
dist=$VAEL_SOURCE_DIR/dist

for page in vael.1 vaelgen.1; do
  MANWIDTH=80 man --warnings -l "$dist/$page" >"$work/out" 2>"$work/err"
  [ ! -s "$work/err" ] || fail "$page: $(cat "$work/err")"
  for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" FILES EXAMPLES; do
    grep -q "^$section" "$work/out" || fail "$page has no $section section"
  done
done

# The page's OPTIONS section as text: roff's escaped hyphens and font
# changes taken out.
sed -n '/^\.SH OPTIONS/,/^\.SH /p' "$dist/vaelgen.1" | sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' >"$work/page"
missing=()
while read -r option; do
  grep -qE -- "(^|[^a-zA-Z0-9-])$option([^a-zA-Z0-9-]|\$)" "$work/page" || missing+=("$option")
done < <(help_options)
[ ${#missing[@]} -eq 0 ] || fail "the options of vaelgen.1 do not describe ${missing[*]}"

version=$("$VAELGEN" --version | awk '{print $NF}')
for page in vael.1 vaelgen.1; do
  grep -q "^\.TH .* \"Vael $version\"" "$dist/$page" || fail "$page is not the page of version $version"
done
echo "manual pages: $(help_options | wc -l) options described"
