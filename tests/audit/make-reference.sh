#!/usr/bin/env bash
# Writes post-xp-functions.txt: every Windows API function that the mingw-w64
# headers declare for Windows 10 (_WIN32_WINNT 0x0A00) but not for Windows XP
# (0x0501). gcc's -aux-info lists each declaration the compiler saw; a function
# that appears only at the higher version came after XP. Functions the headers
# declare without a version guard are in post-xp-reviewed.txt instead.
#   make-reference.sh [compiler]   (default: i686-w64-mingw32-gcc-win32)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cc=${1:-i686-w64-mingw32-gcc-win32}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
headers=(windows.h shellapi.h shlobj.h shlwapi.h commctrl.h commdlg.h ole2.h oleauto.h olectl.h
         psapi.h winver.h uxtheme.h dwmapi.h mmsystem.h winsock2.h ws2tcpip.h wincrypt.h
         winnetwk.h tlhelp32.h dbghelp.h setupapi.h userenv.h wtsapi32.h powrprof.h
         shellscalingapi.h)
for h in "${headers[@]}"; do echo "#include <$h>"; done > "$work/all.c"
names() {
  "$cc" -D_WIN32_WINNT="$1" -DWINVER="$1" -aux-info "$work/aux.txt" -fsyntax-only -w "$work/all.c"
  sed -nE 's|^/\* [^:]+:[0-9]+:[A-Z]+ \*/ .*[ *]([A-Za-z_][A-Za-z0-9_]*) \(.*$|\1|p' "$work/aux.txt" | sort -u
}
names 0x0501 > "$work/xp.txt"
names 0x0A00 > "$work/win10.txt"
{
  echo "# Declared by the mingw-w64 headers for _WIN32_WINNT 0x0A00 and not for 0x0501:"
  echo "# functions Windows XP SP3 does not have. Made by make-reference.sh with"
  echo "# $("$cc" --version | head -1); do not edit by hand."
  comm -13 "$work/xp.txt" "$work/win10.txt"
} > "$here/post-xp-functions.txt"
echo "$(grep -vc '^#' "$here/post-xp-functions.txt") functions written to $here/post-xp-functions.txt"
