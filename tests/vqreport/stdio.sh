#!/bin/sh
# vqreport itself with "-" for its files. A route on standard input becomes a
# report on standard output byte for byte as `new -o FILE` writes it (CR LF
# kept: binary mode on Windows), and `show -` reads a report with a Ctrl-Z
# in it as `show FILE` does (no end of file at the Ctrl-Z).
#   stdio.sh VQREPORT [EMULATOR...]
set -u
prog=$1
shift
fail() { echo "FAIL: $*"; exit 1; }
route='name,latitude,longitude\nA,1,2\nB,1.5,2\n'
printf "$route" > stdio.csv
rm -f stdio-file.rec
"$@" "$prog" new -o stdio-file.rec --departure-time 9:00 stdio.csv >/dev/null || fail "new -o FILE"
printf "$route" | "$@" "$prog" new -o - --departure-time 9:00 - > stdio-out.rec 2>/dev/null || fail "new -o -"
cmp stdio-file.rec stdio-out.rec || fail "the report on standard output differs from the file"
awk 'NR == 22 { printf "a\032b\r\n"; next } { print }' stdio-file.rec > stdio-z.rec
"$@" "$prog" show stdio-z.rec > stdio-file.txt
"$@" "$prog" show - < stdio-z.rec | sed 's/^Report -:/Report stdio-z.rec:/' > stdio-in.txt
cmp stdio-file.txt stdio-in.txt || fail "show - reads otherwise than show FILE: $(cat stdio-in.txt)"
grep -q '^Report stdio-z.rec: 2 checkpoints' stdio-in.txt || fail "not read to its end: $(cat stdio-in.txt)"
echo "standard input and output keep the report's bytes"
