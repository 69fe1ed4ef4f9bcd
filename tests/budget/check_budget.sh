#!/bin/bash
# The size of the tests against the code they test: non-blank, non-comment
# lines of C and C++ files. Test code is everything under tests/ and, outside
# it, any file or folder named *test* (test-only helpers beside the code);
# code is every other file outside tests/, bench/ and fuzz/.
#   check_budget.sh ROOT [LIMIT]      (exit 1 when tests/code is above LIMIT, 0.40 by default)
set -uo pipefail
root=${1:?usage: check_budget.sh ROOT [LIMIT]}
limit=${2:-0.40}
cd "$root" || exit 2
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  files() { git ls-files --cached --others --exclude-standard; }
else
  files() { find . -path ./build -prune -o -type f -print | sed 's|^\./||'; }
fi
count() { xargs -r -d '\n' cat -- | grep -cvE '^\s*(//.*)?$'; }
sources=$(files | grep -E '\.(c|cc|cpp|cxx|h|hh|hpp)$' | sort -u)
tests=$(grep -E '(^|/)tests/|(^|/)[^/]*[Tt][Ee][Ss][Tt][^/]*(/|$)' <<<"$sources")
code=$(grep -vE '(^|/)(tests|bench|fuzz)/|(^|/)[^/]*[Tt][Ee][Ss][Tt][^/]*(/|$)' <<<"$sources")
t=$(count <<<"$tests")
c=$(count <<<"$code")
awk -v t="$t" -v c="$c" -v limit="$limit" 'BEGIN {
  ratio = c ? t / c : 1
  printf "test lines %d, code lines %d: %.3f (limit %.2f)\n", t, c, ratio, limit
  if (ratio > limit) { print "the tests are above their budget: make them leaner"; exit 1 }
}'
