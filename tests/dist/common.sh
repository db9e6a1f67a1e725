# Shared by the dist tests: a scratch folder removed at the end, and failing
# with a message.
set -euo pipefail
export LC_ALL=C
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
need() {
  command -v "$1" >/dev/null || fail "$1 is missing: run scripts/setup"
}
# The options vaelgen --help lists, one per line.
help_options() {
  "$VAELGEN" --help | grep -oE -- '(^|[ ,])--?[a-zA-Z][a-zA-Z0-9-]*' | tr -d ' ,' | sort -u
}
