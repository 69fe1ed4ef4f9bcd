#!/bin/bash
# Checks that the names of the report's files are written in one place,
# report/file_names.h: any other C or C++ source outside tests/ holding a
# string literal that is such a name or a part of one ("tolvanix.rec",
# "tolvanix-kept-", ".new", ".old") is named, and the check fails.
#   check_file_names.sh ROOT
set -uo pipefail
root=${1:?usage: check_file_names.sh ROOT}
cd "$root" || exit 2
hits=$(find interface platform report persistence progress display gauge navlog cli host tools bench fuzz \
         \( -name '*.h' -o -name '*.cpp' \) 2>/dev/null | grep -v '^report/file_names\.h$' | sort |
       xargs -r grep -HnE '"(\.\\\\)?tolvanix[^" ]*"|"\.(new|old)"' | grep -vE '^[^:]+:[0-9]+:\s*//')
if [ -n "$hits" ]; then
  printf '%s\n' "$hits"
  echo "$(wc -l <<<"$hits") literal file names outside report/file_names.h"
  exit 1
fi
echo "the report's file names are written only in report/file_names.h"
