#!/bin/bash
# Unpacks the pilots' package and checks it: its four files and nothing else;
# the gauge file byte for byte as the tests loaded it; the guide as the
# Notepad of Windows 95 shows it (CR LF, Windows-1252, at most 78 characters
# a line, under 64 KiB, no Markdown tables, links or pictures), and every line
# of the example report it quotes as that line of EXAMPLE.REC; vqreport.exe
# passing the example report, and needing no newer Windows than the guide says.
#   check_package.sh SOURCE_DIR ZIP GAUGE_FILE
set -uo pipefail
src=$1 zip=$2 gauge=$3
dir=$(mktemp -d) && trap 'rm -rf "$dir"' EXIT
bad=0
fail() { echo "FAIL: $*"; bad=1; }

unzip -q "$zip" -d "$dir" || { echo "FAIL: cannot unpack $zip"; exit 1; }
[ "$(unzip -Z1 "$zip")" = $'GAUGES/VQgauge.gau\nVQgauge.txt\nvqreport.exe\nEXAMPLE/EXAMPLE.REC' ] ||
  fail "the zip holds:" $(unzip -Z1 "$zip")
cmp "$gauge" "$dir/GAUGES/VQgauge.gau" || fail "GAUGES/VQgauge.gau is not $gauge"

guide=$dir/VQgauge.txt
tail -c 2 "$guide" | cmp -s - <(printf '\r\n') || fail "VQgauge.txt does not end with CR LF"
LC_ALL=C awk '
  function no(why) { print "FAIL: VQgauge.txt line " NR ": " why; bad = 1 }
  { bytes += length($0) + 1 }
  !sub(/\r$/, "") { no("ends in a bare LF") }
  /\r/ { no("a bare CR") }
  /[^\t\r -~\200-\377]/ { no("a control character") }
  /[\201\215\217\220\235]/ { no("a byte Windows-1252 does not define") }
  length($0) > 78 { no(length($0) " characters, more than 78") }
  /^[ \t]*\|.*\|[ \t]*$/ { no("a Markdown table row") }
  /\]\(|http|!\[/ { no("a Markdown link or picture") }
  END { if (bytes >= 65536) { print "FAIL: VQgauge.txt has " bytes " bytes, 64 KiB or more"; bad = 1 }
        exit bad }' "$guide" || bad=1

# The guide's section on the report file quotes lines of the example: "  NNN
# VALUE ... what it is", the line number in columns 1 to 6 and the line's
# text in columns 9 to 32. Each must be that line of EXAMPLE.REC.
LC_ALL=C awk '
  FNR == 1 { file++ }
  file == 1 { sub(/\r$/, ""); example[FNR] = $0; next }
  { sub(/\r$/, "") }
  /^9\. THE REPORT FILE/ { inside = 1; next }
  /^10\. / { inside = 0 }
  inside && /^ *[0-9]+  / {
    n = $1 + 0; quoted = substr($0, 9, 24); sub(/ +$/, "", quoted); checked++
    if (!(n in example)) { print "FAIL: VQgauge.txt quotes line " n ", which EXAMPLE.REC does not have"; bad = 1 }
    else if (quoted != example[n]) { print "FAIL: VQgauge.txt quotes line " n " as \"" quoted "\", EXAMPLE.REC has \"" example[n] "\""; bad = 1 }
  }
  END { if (checked < 30) { print "FAIL: VQgauge.txt quotes " checked " lines of the example, not 30 or more"; bad = 1 }
        else print "VQgauge.txt quotes " checked " lines of EXAMPLE.REC as they are"
        exit bad }' "$dir/EXAMPLE/EXAMPLE.REC" "$guide" || bad=1

# "vqreport check" passes the example: no errors (status 0, or 1 with warnings only).
out=$(cd "$dir" && "$src/tools/wine-run.sh" "$dir/vqreport.exe" check EXAMPLE/EXAMPLE.REC 2>&1)
status=$?
echo "$out"
[ $status -le 1 ] || fail "vqreport check EXAMPLE/EXAMPLE.REC: exit status $status"

# The imports of vqreport.exe that Windows 95 lacks, each with the oldest
# Windows that has it (1 NT 4.0, 2 2000, 3 XP, 4 Vista). The newest of them is
# the Windows that VQgauge.txt and README name for vqreport.exe: a new import
# must be added here, and the guide changed if it moves that Windows.
known="TryEnterCriticalSection:1 IsDebuggerPresent:1 SetProcessAffinityMask:1 _fstat64:2
  CreateHardLinkW:2 FindFirstVolumeW:2 FindNextVolumeW:2 FindVolumeClose:2 GetFileSizeEx:2
  AddVectoredExceptionHandler:3 RemoveVectoredExceptionHandler:3 GetTickCount64:4"
# The check fails on vqreport.exe, a program for newer Windows; its list counts.
{ "$src/tests/gauge/check_gauge_file.sh" imports "$dir/vqreport.exe" || :; } | awk -v known="$known" -v guide=4 '
  BEGIN {
    n = split(known, k, /[ \n]+/)
    for (i = 1; i <= n; i++) { split(k[i], p, ":"); since[p[1]] = p[2] }
    split("NT 4.0,2000,XP,Vista", windows, ",")
  }
  # Wide-character, thread and allocating functions are there since Windows
  # NT 3.1 and 95; an exe exports no gauge records.
  / a (wide-character|thread) function$| allocates memory$|^does not export |faults in the imports/ { next }
  { name = $2; sub(/:$/, "", name) }
  !(name in since) { print "FAIL: vqreport.exe imports " $0 " (not listed in check_package.sh)"; bad = 1; next }
  since[name] > newest { newest = since[name]; by = name }
  END {
    if (newest != guide)
      { print "FAIL: vqreport.exe needs Windows " windows[newest] " (" by "), the guide says " windows[guide]; bad = 1 }
    else print "vqreport.exe needs Windows " windows[newest] " (" by ")"
    exit bad
  }' || bad=1

[ $bad -eq 0 ] && echo "package $zip: contents, gauge file, guide and vqreport.exe as they should be"
exit $bad
