#!/usr/bin/env bash
# The portable zip: exactly the program, its readme and its licence, and the
# program inside it starts from wherever the zip was unpacked.
#   zip-test.sh <work folder> <package name> <version>
source "$(dirname "$0")/common.sh"
packages=$(packages_folder "$1") work=$(run_folder "$1")/zip name=$2 version=$3
zip=$packages/$name.zip
[ -f "$zip" ] || { echo "FAIL: no zip $zip"; exit 1; }
top=$name

entries=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
expected="$top/LICENSE $top/policy/ $top/policy/en-US/ $top/policy/en-US/tollvane.adml $top/policy/tollvane.adm $top/policy/tollvane.admx $top/readme.txt $top/tollvane.exe "
if [ "$entries" = "$expected" ]; then pass "the zip holds exactly the exe, readme.txt, LICENSE and the policy templates"
else fail "the zip holds: $entries"; fi
readme_names_version() { unzip -p "$zip" "$top/readme.txt" | grep -q "Tollvane $version"; }
expect "its readme names the version" readme_names_version

fresh_wine "$work"
# Unpacked somewhere of the user's choosing, here inside the prefix's C: drive.
unpacked=$WINEPREFIX/drive_c/Portable
mkdir -p "$unpacked"
unzip -q "$zip" -d "$unpacked" || fail "unzip"
start_tollvane "$unpacked/$top/tollvane.exe"
expect "the unpacked tollvane.exe starts and makes its Startup shortcut to itself" \
  wait_until 60 shortcut_points_at "C:\\Portable\\$top\\tollvane.exe"
sleep 2
expect "and keeps running" is_running "$tv_pid"

echo
echo "$failures failed"
[ "$failures" -eq 0 ]
