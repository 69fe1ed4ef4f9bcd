#!/bin/bash
# Checks that the module's layers depend one way: a source file includes
# headers of its own layer and of the layers below it only.
#   interface < platform < report < persistence < progress < display < gauge
# host/ may include interface, platform and report; tools/ also persistence
# (the reset of the module's state) and progress; both the tools' command
# lines (cli/), which include none of the module, and the nav log (navlog/),
# which reads the report layer and cli/.
# Every include of a folder of the tree is checked; system headers are not.
#   check_layers.sh ROOT      (exit 1 naming each upward include)
set -uo pipefail
root=${1:?usage: check_layers.sh ROOT}
cd "$root" || exit 2
find interface platform report persistence progress display gauge cli navlog host tools \
     -name '*.h' -o -name '*.cpp' 2>/dev/null | sort |
  xargs -r grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[a-z_]+/' |
  awk '
    BEGIN {
      n = split("interface platform report persistence progress display gauge", order, " ")
      for (i = 1; i <= n; i++) rank[order[i]] = i
      allowed["cli"] = "cli"
      allowed["navlog"] = "interface platform report cli navlog"
      allowed["host"] = "interface platform report cli navlog host"
      allowed["tools"] = "interface platform report persistence progress cli navlog tools"
    }
    {
      split($0, part, ":"); file = part[1]; line = part[2]
      split(file, dirs, "/"); from = dirs[1]
      match($0, /"[a-z_]+\//); to = substr($0, RSTART + 1, RLENGTH - 2)
      if (from in allowed) ok = index(" " allowed[from] " ", " " to " ") > 0
      else ok = (to in rank) && rank[to] <= rank[from]
      if (!ok) { printf "%s:%s: %s includes %s, a layer above it\n", file, line, from, to; bad++ }
      checked++
    }
    END {
      if (bad) { printf "%d upward includes\n", bad; exit 1 }
      printf "%d includes, all of a layer at or below their own\n", checked
    }'
