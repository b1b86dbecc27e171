#!/usr/bin/env bash
# Checks that Windows XP SP3 (or XP x64 for a 64-bit program) can load a
# program: its header's subsystem and OS versions, then every DLL!function it
# imports. Fails, naming each offender, on a header version above XP's, on any
# DLL that XP lacks and on any function it does not export.
#   audit-imports.sh <exe> [objdump]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exe=$1
objdump=${2:-x86_64-w64-mingw32-objdump}
[ -f "$exe" ] || { echo "FAIL: no file $exe"; exit 1; }
list() { grep -v '^#' "$here/$1" | sed '/^$/d'; }

header=$("$objdump" -p "$exe") || { echo "FAIL: objdump"; exit 1; }
field() { awk -v f="$1" '$1 == f { print $2; exit }' <<<"$header"; }
case $("$objdump" -f "$exe" | sed -n 's/.*file format //p') in
  pei-i386) xp=501; echo "ok: PE32 (i386)" ;;
  pei-x86-64) xp=502; echo "ok: PE32+ (x86-64)" ;;
  *) echo "FAIL: not a Windows program"; exit 1 ;;
esac
bad=0
for kind in Subsystem OSystem; do
  v=$(( $(field Major${kind}Version) * 100 + $(field Minor${kind}Version) ))
  if [ "$v" -le "$xp" ]; then echo "ok: ${kind} version $((v / 100)).$((v % 100))"
  else echo "FAIL: ${kind} version $((v / 100)).$((v % 100)) is above XP's"; bad=$((bad + 1)); fi
done

imports=$("$objdump" -p "$exe" | awk '
  /^\tDLL Name: / { dll = $3; next }
  /^$/ { dll = "" }
  dll != "" && $1 ~ /^[0-9a-f]+$/ && NF >= 3 { print dll "!" $NF }') || { echo "FAIL: objdump"; exit 1; }
[ -n "$imports" ] || { echo "FAIL: $exe imports nothing that objdump could read"; exit 1; }

dlls=$(list xp-dlls.txt)
functions=$( (list post-xp-functions.txt; list post-xp-reviewed.txt) | sort -u)
crt=$(list msvcrt-post-xp.txt)
while IFS='!' read -r dll fn; do
  lower=${dll,,}
  why=""
  if ! grep -qxF "$lower" <<<"$dlls"; then why="Windows XP SP3 has no $dll"
  elif grep -qxF "$fn" <<<"$functions"; then why="newer than Windows XP SP3"
  elif [ "$lower" = msvcrt.dll ] && grep -qEf <(echo "$crt") <<<"$fn"; then why="not in XP's msvcrt.dll"
  fi
  if [ -n "$why" ]; then echo "FAIL: $dll!$fn: $why"; bad=$((bad + 1)); else echo "ok: $dll!$fn"; fi
done <<<"$imports"
echo "$(wc -l <<<"$imports") imports; $bad problems"
[ "$bad" -eq 0 ]
