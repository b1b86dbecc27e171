#!/usr/bin/env bash
# The packages that ship, opened without running them (a 32-bit program cannot
# run on the build machines): the zip holds exactly the program, its readme and
# its licence; the installer is a 32-bit program too and carries the same
# tollvane.exe; the Windows Installer package is a 32-bit ("Intel") one that
# installs the same files into Program Files; and that program is the one built,
# whose Windows XP import audit and Pentium Pro instruction audit the audit tests run.
#   shipped-test.sh <build folder> <work folder> <package name> <version> <objdump>
# shellcheck source=tests/packaging/common.sh
source "$(dirname "$0")/common.sh"
build=$1 packages=$(packages_folder "$2") name=$3 version=$4 objdump=$5
make_packages "$build" "$2" "$name" || exit 1
zip=$packages/$name.zip setup=$packages/$name-setup.exe
open=$(run_folder "$2")/opened
rm -rf "$open"; mkdir -p "$open/zip" "$open/setup" "$open/msi"

entries=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
expected="$name/LICENSE $name/policy/ $name/policy/de-DE/ $name/policy/de-DE/tollvane.adml $name/policy/en-US/ $name/policy/en-US/tollvane.adml $name/policy/es-ES/ $name/policy/es-ES/tollvane.adml $name/policy/fr-FR/ $name/policy/fr-FR/tollvane.adml $name/policy/ja-JP/ $name/policy/ja-JP/tollvane.adml $name/policy/tollvane.adm $name/policy/tollvane.admx $name/readme.txt $name/tollvane.exe "
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
expect "and it is the audited program" cmp "$exe" "$build/bin/tollvane.exe"

msi=$build/msi/$name.msi
is_intel_package() { msiinfo suminfo "$msi" | grep -qx 'Template: Intel;1033'; }
expect "the Windows Installer package is a 32-bit one" is_intel_package
(cd "$open/msi" && msiextract "$msi" >/dev/null) || fail "msiextract could not open the Windows Installer package"
msi_files() { (cd "$open/msi" && find . -type f | sort | tr '\n' ' '); }
expect "it installs into Program Files\\Tollvane exactly what the zip holds" equals "$(msi_files)" \
  "$(cd "$open/zip/$name" && find . -type f | sed 's|^\.|./Program Files/Tollvane|' | sort | tr '\n' ' ')"
expect "and carries the same tollvane.exe" cmp "$exe" "$open/msi/Program Files/Tollvane/tollvane.exe"

echo
echo "$failures failed"
[ "$failures" -eq 0 ]
