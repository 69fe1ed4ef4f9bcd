#!/bin/bash
# Checks the finished gauge file against the machines the host runs on
# (Windows 95 and later, 486DX and Pentium processors). One check per call:
#   check_gauge_file.sh imports FILE       imports only from the Windows 95 KERNEL32.DLL,
#                                          the first system MSVCRT.DLL and USER32 wsprintfA,
#                                          by name, no delay-load, wide-character, thread or
#                                          allocating function; exports the four records by
#                                          plain name
#   check_gauge_file.sh tls FILE           no TLS directory
#   check_gauge_file.sh pentium_code FILE  no instruction newer than the Pentium's; names
#                                          the functions from FILE.debug beside it
#   check_gauge_file.sh size FILE          at most 100 KiB and no debug sections
#   check_gauge_file.sh rejects_newer_code FILE
#                                          pentium_code fails on FILE, naming its cmov and
#                                          fucomi in pentium_pro_code
# Needs bash, awk and the mingw binutils only (OBJDUMP and NM name them).
set -euo pipefail
OBJDUMP=${OBJDUMP:-i686-w64-mingw32-objdump}
NM=${NM:-i686-w64-mingw32-nm}
lists=$(dirname "$0")/windows95

imports() {
  local dump
  dump=$("$OBJDUMP" -p "$1") || return
  awk -v k32="$lists/windows95-kernel32-exports.txt" \
      -v crt="$lists/msvcrt-vc42-exports.txt" '
    function load(dll, file,   name, rc) {
      while ((rc = getline name < file) > 0) if (name !~ /^#/) ok[dll, name] = 1
      if (rc < 0) { print "cannot read " file; bad++ }
    }
    # A wide-character function: from any DLL, a name ending in W whose A twin
    # is in the list of that DLL. From MSVCRT also any name ending in W and the C
    # wide-character functions and data: after a leading __p_ and underscores,
    # a name holding wc (wcslen, mbstowcs, towupper, getwc), wprintf or wscanf,
    # holding tow (itow, towlower), ending in ws (fgetws), starting with isw
    # (iswalpha) or w (wfopen, wargv; but write and the winver numbers are not).
    function wide(dll, name,   n) {
      if (name ~ /W$/ && ((dll, substr(name, 1, length(name) - 1) "A") in ok)) return 1
      if (dll != "MSVCRT.DLL") return 0
      n = name; sub(/^__p_/, "", n); sub(/^_+/, "", n)
      return name ~ /W$/ || n ~ /wc|w(printf|scanf)|^isw|tow|ws$/ || (n ~ /^w/ && n !~ /^(write|win(major|minor|ver))$/)
    }
    # Functions that start or end threads, and thread-local storage.
    function thread(name) {
      return name ~ /^(Create(Remote|Kernel)?Thread|(FreeLibraryAnd)?ExitThread|TerminateThread|_beginthread(ex)?|_endthread(ex)?|Tls[A-Z].*)$/
    }
    # Functions that take memory from a heap or the system: the gauge file has
    # none, so nothing it holds can outlive an unload (with the thread and TLS
    # functions and no TLS directory, a load and unload leaves nothing behind).
    function allocates(name) {
      return name ~ /^(Heap(Alloc|ReAlloc|Create)|VirtualAlloc(Ex)?|(Global|Local)(Re)?Alloc|malloc|calloc|realloc|_?strdup|\?\?2@.*|\?\?_U@.*)$/
    }
    BEGIN {
      load("KERNEL32.DLL", k32); load("MSVCRT.DLL", crt); ok["USER32.DLL", "wsprintfA"] = 1
      from["KERNEL32.DLL"] = "not exported by the Windows 95 KERNEL32.DLL"
      from["MSVCRT.DLL"] = "not exported by the first system MSVCRT.DLL"
      from["USER32.DLL"] = "only wsprintfA may come from USER32.DLL"
    }
    /^\tDLL Name: / { dll = toupper($3); next }
    /^$/ { dll = "" }
    dll != "" && /^\t[0-9a-f]+\t/ {
      name = $3; count++; why = ""
      if (name == "<none>") { name = "#" $2; why = "imported by ordinal, not by name" }
      else if (thread(name)) why = "a thread function"
      else if (allocates(name)) why = "a function that allocates memory"
      else if (wide(dll, name)) why = "a wide-character function"
      else if (!((dll, name) in ok)) why = (dll in from) ? from[dll] : "a DLL the gauge file may not use"
      if (why != "") { print dll " " name ": " why; bad++ }
    }
    /^Entry d / && ($3 $4) != "0000000000000000" { print "delay-load imports (data directory 13: " $3 " " $4 ")"; bad++ }
    /^\t\[ *[0-9]+\] [^ ]+$/ { exported[$NF] = 1 }
    END {
      split("Linkage _Linkage ImportTable _ImportTable", records, " ")
      for (i = 1; i <= 4; i++)
        if (!(records[i] in exported)) { print "does not export " records[i] " by that name"; bad++ }
      if (bad) { print bad " faults in the imports and exports"; exit 1 }
      print count + 0 " imports, all loadable on Windows 95; the four records are exported"
    }' <<< "$dump"
}

tls() {
  local dump
  dump=$("$OBJDUMP" -p "$1") || return
  awk '
    /^Entry 9 / { found = 1; if (($3 $4) != "0000000000000000") bad = 1; rva = $3; size = $4 }
    END {
      if (!found) { print "no data directories in objdump -p output"; exit 1 }
      if (bad) { print "a TLS directory (RVA " rva ", size " size "): Windows 95 refuses to load the file"; exit 1 }
      print "no TLS directory"
    }' <<< "$dump"
}

pentium_code() {
  local code symbols=
  code=$("$OBJDUMP" -d -M intel --insn-width=16 "$1") || return
  if [[ -f $1.debug ]]; then
    symbols=$("$NM" -C -n --defined-only "$1.debug") || return
  else
    echo "no debug file $1.debug: addresses only, and the data that ends .text is read as code"
  fi
  # The symbols of the debug file, a line "--", then the disassembly.
  printf '%s\n--\n%s\n' "$symbols" "$code" | awk '
    function hex8(a) { return substr("00000000", length(a) + 1) a }
    # Of the names at one address the best to name a function: not a section
    # (.text) nor a linker mark (__crt_xi_start__, _end__).
    function rank(s) { return s ~ /^\./ ? 0 : s ~ /__$/ ? 1 : 2 }
    BEGIN {
      # The 386 and 486 integer and system instructions, the x87 of the Pentium,
      # those new with the Pentium, ud2; the prefixes (notrack is a DS override).
      split("aaa aad aam aas adc add and arpl bound bsf bsr bswap bt btc btr bts call callw " \
        "cbw cdq clc cld cli clts cmc cmp cmps cmpxchg cwd cwde daa das dec div enter enterw " \
        "hlt idiv imul in inc ins int int3 into invd invlpg iret iretw ja jae jb jbe jcxz je " \
        "jecxz jg jge jl jle jmp jmpw jne jno jnp jns jo jp js lahf lar lds lea leave leavew les " \
        "lfs lgdt lgdtd lgdtw lgs lidt lidtd lidtw lldt lmsw lods loop loope loopne lsl lss ltr " \
        "mov movs movsx movzx mul neg nop not or out outs pop popa popaw popf popfw popw push " \
        "pusha pushaw pushf pushfw pushw rcl rcr ret retf retfw retw rol ror sahf sal sar sbb " \
        "scas seta setae setb setbe sete setg setge setl setle setne setno setnp setns seto setp " \
        "sets sgdt sgdtd sgdtw shl shld shr shrd sidt sidtd sidtw sldt smsw stc std sti stos str " \
        "sub test verr verw wbinvd xadd xchg xlat xor ud2 " \
        "f2xm1 fabs fadd faddp fbld fbstp fchs fclex fcom fcomp fcompp fcos fdecstp fdiv fdivp " \
        "fdivr fdivrp ffree fiadd ficom ficomp fidiv fidivr fild fimul fincstp finit fist fistp " \
        "fisub fisubr fld fld1 fldcw fldenv fldl2e fldl2t fldlg2 fldln2 fldpi fldz fmul fmulp " \
        "fnclex fninit fnop fnsave fnstcw fnstenv fnstsw fpatan fprem fprem1 fptan frndint " \
        "frstor fsave fscale fsin fsincos fsqrt fst fstcw fstenv fstp fstsw fsub fsubp fsubr " \
        "fsubrp ftst fucom fucomp fucompp fwait fxam fxch fxtract fyl2x fyl2xp1", list, " ")
      for (i in list) ok[list[i]] = 1
      split("cpuid rdtsc cmpxchg8b rdmsr wrmsr rsm", list, " ")
      for (i in list) ok[list[i]] = pentium[list[i]] = 1
      split("rep repz repe repnz repne lock data16 addr16 cs ds es fs gs ss notrack", list, " ")
      for (i in list) prefix[list[i]] = 1
    }
    # Text symbols by address; the constructor lists and exception tables
    # from _CTOR_LIST__ on are data.
    !code && /^[0-9a-f]+ [Tt] / {
      addr = substr($0, 1, 8); name = $0; sub(/^[0-9a-f]+ [Tt] /, "", name)
      if (name ~ /^_*CTOR_LIST__$/) ctor = addr
      if (n && at[n] == addr) { if (rank(name) > rank(fn[n])) fn[n] = name; next }
      at[++n] = addr; fn[n] = name; next
    }
    !code { if ($0 == "--") code = 1; next }
    /^Disassembly of section / { first = 1; j = 1; next }
    /^ *[0-9a-f]+:\t/ {
      split($0, f, "\t"); addr = f[1]; sub(/^ +/, "", addr); addr = hex8(substr(addr, 1, length(addr) - 1))
      if (first) { data = ctor != "" && addr <= ctor; first = 0 }
      if (data && addr >= ctor) next
      insn = f[3]; gsub(/  +/, " ", insn); split(insn, t, " ")
      for (k = 1; t[k] in prefix; k++) ;
      m = t[k]
      if (m == "(bad)" || m == ".byte") next      # bytes no processor decodes: data
      seen++
      if (m in pentium) own[m]++
      sub(/ +$/, "", f[2])
      longnop = m == "nop" && f[2] ~ /(^| )0f /   # 0f 18..1f, printed as nop with an operand
      if (m == "" || (m in ok) && !longnop) next
      while (j < n && at[j + 1] <= addr) j++
      where = (n && at[j] <= addr) ? "  in " fn[j] : ""
      if (longnop) insn = insn " (long NOP " f[2] ")"
      if (!bad++) print "instructions a Pentium does not have:"
      print "  " addr "  " insn where
    }
    END {
      if (!seen) { print "no instructions found"; exit 1 }
      for (m in own) newer = newer " " m " (" own[m] ")"
      if (newer == "") print "no CPUID, RDTSC, CMPXCHG8B, RDMSR, WRMSR or RSM: the file also runs on a 486DX"
      else print "instructions new with the Pentium, which a 486DX lacks:" newer
      if (bad) { print bad " of " seen " instructions are newer than the Pentium"; exit 1 }
      print seen " instructions, all of the Pentium"
    }'
}

size() {
  local bytes headers
  bytes=$(wc -c < "$1") && headers=$("$OBJDUMP" -h "$1") || return
  awk -v bytes="$bytes" '
    $2 ~ /^\.z?debug/ { print "debug section " $2; bad++ }
    END {
      if (bytes + 0 > 102400) { print bytes " bytes, above 100 KiB (102400 bytes)"; bad++ }
      if (bad) exit 1
      print bytes " bytes, no debug sections"
    }' <<< "$headers"
}

rejects_newer_code() {
  local out
  if out=$(pentium_code "$1"); then
    echo "$out"; echo "the processor check passed code with a cmov and a fucomi"; return 1
  fi
  echo "$out"
  grep -q '^  [0-9a-f]*  cmov.*  in pentium_pro_code$' <<< "$out" &&
    grep -q '^  [0-9a-f]*  fucomi .*  in pentium_pro_code$' <<< "$out" ||
    { echo "the processor check did not name both the cmov and the fucomi in pentium_pro_code"; return 1; }
}

case ${1-}:$# in
  imports:2 | tls:2 | pentium_code:2 | size:2 | rejects_newer_code:2) "$1" "$2" ;;
  *) echo "usage: $0 imports|tls|pentium_code|size|rejects_newer_code FILE" >&2; exit 2 ;;
esac
