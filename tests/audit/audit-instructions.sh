#!/usr/bin/env bash
# Checks that a 32-bit program runs on a Pentium Pro (i686), the oldest
# processor it claims: disassembles its code and fails, naming each offender,
# on any instruction that came later (MMX, SSE and later SIMD, 3DNow!, the
# fences, prefetches and the later integer extensions). CMOV, FCMOV and FCOMI
# are the Pentium Pro's own; instructions-reviewed.txt lists the later ones
# that were looked at and never run on an older processor.
#   audit-instructions.sh <exe> [objdump] [linker map]
# The linker puts data (constructor lists, exception tables) at the end of the
# code section; the exe's linker map says where the code ends. Without a map the
# whole section is read as code.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exe=$1
objdump=${2:-i686-w64-mingw32-objdump}
map=${3:-}
[ -f "$exe" ] || { echo "FAIL: no file $exe"; exit 1; }
[ "$("$objdump" -f "$exe" | sed -n 's/.*file format //p')" = pei-i386 ] || { echo "FAIL: not a 32-bit Windows program"; exit 1; }

# Instructions newer than the Pentium Pro that name no SIMD register (those that
# do are caught by their registers).
later='emms|femms|fisttp[sl]?|fxsave|fxrstor|ldmxcsr|stmxcsr|lfence|mfence|sfence|clflush|clflushopt|clwb'
later+='|prefetch|prefetchw|prefetchnta|prefetcht[012]|movnti|monitor|mwait|popcnt|lzcnt|tzcnt|movbe|crc32[bwl]?'
later+='|rdtscp|cmpxchg16b|xgetbv|xsetbv|xsave[a-z0-9]*|xrstor[a-z0-9]*|rdrand|rdseed|andn|bextr|blsi|blsmsk|blsr'
later+='|bzhi|mulx|pdep|pext|rorx|sarx|shlx|shrx|adcx|adox|sysenter|sysexit|endbr32'

reviewed=$(grep -v '^#' "$here/instructions-reviewed.txt" | sed '/^$/d' | paste -sd'|')
stop=()
if [ -n "$map" ]; then
  end=$(awk '$2 == "___CTOR_LIST__" { print $1; exit }' "$map")
  [ -n "$end" ] || { echo "FAIL: $map does not say where the code ends"; exit 1; }
  stop=(--stop-address="$end")
  echo "ok: code ends at $end"
fi

# One line per instruction: address, mnemonic (prefixes dropped), operands.
# Bytes that are data between functions disassemble as "(bad)": not code.
"$objdump" -d --no-show-raw-insn "${stop[@]}" "$exe" | awk -F'\t' -v later="^($later)$" -v reviewed="^($reviewed)$" '
  $1 ~ /^ *[0-9a-f]+:$/ && NF >= 2 {
    n = split($2, w, " ")
    i = 1
    while (i < n && w[i] ~ /^(rep|repz|repnz|repe|repne|lock|data16|addr16|cs|ds|es|fs|gs|ss|bnd|notrack)$/) i++
    m = w[i]
    if (m == "(bad)" || m == "") next
    total++
    if (m ~ reviewed) next
    why = ""
    if ($2 ~ /%(x|y|z)mm[0-9]/) why = "SSE or later (xmm/ymm/zmm registers)"
    else if ($2 ~ /%mm[0-7]/) why = "MMX or 3DNow! (mm registers)"
    else if (m ~ later) why = "newer than the Pentium Pro"
    if (why != "") {
      key = m ": " why
      if (!(key in count)) { first[key] = $1; order[++keys] = key }
      count[key]++
    }
  }
  END {
    for (k = 1; k <= keys; k++) {
      key = order[k]; sub(/:$/, "", first[key]); gsub(/ /, "", first[key])
      printf "FAIL: %s, %d times, first at 0x%s\n", key, count[key], first[key]
    }
    printf "%d instructions; %d problems\n", total, keys
    exit(keys > 0 || total == 0)
  }'
