#!/bin/sh
# vqreport itself with "-" for its files. A route on standard input becomes a
# report on standard output byte for byte as `new -o FILE` writes it (CR LF
# kept: binary mode on Windows), and `show -` reads a report with a Ctrl-Z
# in it as `show FILE` does (no end of file at the Ctrl-Z). Report texts come
# out in the reader's character set, and output to a full device is an error.
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

# Report texts in the reader's character set: UTF-8 on Linux; code page 1252
# with CR LF to a file or pipe on Windows. CSV and JSON are UTF-8 everywhere.
printf 'name,latitude,longitude\n\305lesund,1,2\nB\370,1.5,2\n' > stdio-1252.csv
"$@" "$prog" new -o stdio-1252.rec --force --departure-time 9:00 stdio-1252.csv >/dev/null
case $prog in
  *.exe) name='\305lesund' end='\r' ;;
  *) name='\303\205lesund' end='' ;;
esac
"$@" "$prog" show stdio-1252.rec > stdio-1252.txt
LC_ALL=C grep -q "$(printf "^  1 $name     ")" stdio-1252.txt || fail "show: $(od -c stdio-1252.txt | head -40)"
LC_ALL=C grep -q "$(printf "^Route$end\$")" stdio-1252.txt || fail "show: line ends"
"$@" "$prog" show --csv stdio-1252.rec | LC_ALL=C grep -q "$(printf '\303\205lesund,')" || fail "show --csv"
echo "report texts in the reader's character set"

# Output that cannot be written: status 3 and a message on standard error.
if [ -w /dev/full ]; then
  for args in "show stdio-file.rec" "show --json stdio-file.rec" "show --csv stdio-file.rec" \
              "check stdio-file.rec" "recover"; do
    "$@" "$prog" $args > /dev/full 2> stdio-err.txt
    status=$?
    [ $status = 3 ] && grep -q "cannot write to standard output" stdio-err.txt ||
      fail "$args > /dev/full: status $status, $(cat stdio-err.txt)"
  done
  echo "output to a full device is an error"
fi

# A pipe: named on the command line it is read as given; under the report's
# name in a folder that recover looks at, it makes nothing wait (Linux).
case $prog in *.exe) exit 0 ;; esac
rm -rf stdio-fifo && mkdir stdio-fifo && mkfifo stdio-fifo/tolvanix.rec stdio-fifo/named.rec || exit 0
(cat stdio-file.rec > stdio-fifo/named.rec &)
timeout 20 "$prog" show stdio-fifo/named.rec | grep -q '^Report stdio-fifo/named.rec: 2 checkpoints' ||
  fail "show of a pipe"
cp stdio-file.rec stdio-fifo/tolvanix-recovery.rec
timeout 20 "$prog" recover stdio-fifo > stdio-fifo.txt || fail "recover with a pipe as tolvanix.rec: status $?"
grep -q 'tolvanix.rec is not a regular file' stdio-fifo.txt || fail "recover: $(cat stdio-fifo.txt)"
echo "a pipe is read when named, and waited on nowhere else"
