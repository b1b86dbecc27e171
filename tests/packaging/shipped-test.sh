#!/usr/bin/env bash
# The packages that ship, opened without running them (a 32-bit program cannot
# run on the build machines): the zip holds exactly the program, its readme and
# its licence; the installer is a 32-bit program too and carries the same
# tollvane.exe; and that program passes the Windows XP import audit.
#   shipped-test.sh <work folder> <package name> <version> <objdump>
source "$(dirname "$0")/common.sh"
packages=$(packages_folder "$1") name=$2 version=$3 objdump=$4
zip=$packages/$name.zip setup=$packages/$name-setup.exe
open=$(run_folder "$1")/opened
rm -rf "$open"; mkdir -p "$open/zip" "$open/setup"

entries=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
expected="$name/LICENSE $name/policy/ $name/policy/en-US/ $name/policy/en-US/tollvane.adml $name/policy/tollvane.adm $name/policy/tollvane.admx $name/readme.txt $name/tollvane.exe "
if [ "$entries" = "$expected" ]; then pass "the zip holds exactly the exe, readme.txt, LICENSE and the policy templates"
else fail "the zip holds: $entries"; fi
unzip -q "$zip" -d "$open/zip" || fail "unzip"
exe=$open/zip/$name/tollvane.exe
readme_names_version() { grep -q "Tollvane $version" "$open/zip/$name/readme.txt"; }
expect "its readme names the version" readme_names_version

format() { "$objdump" -f "$1" | sed -n 's/.*file format //p'; }
is_pe32() { [ "$(format "$1")" = pei-i386 ] || { echo "   $1: $(format "$1")"; return 1; }; }
expect "the zip's tollvane.exe is a 32-bit (i386) program" is_pe32 "$exe"
expect "the installer is a 32-bit program" is_pe32 "$setup"
7z x -y -o"$open/setup" "$setup" >/dev/null || fail "7z could not open the installer"
expect "the installer carries the same tollvane.exe as the zip" cmp "$exe" "$open/setup/tollvane.exe"
audited() { bash "$(dirname "$0")/../audit/audit-imports.sh" "$exe" "$objdump" | grep -v '^ok: .*!'; }
expect "Windows XP SP3 can load it" audited

echo
echo "$failures failed"
[ "$failures" -eq 0 ]
