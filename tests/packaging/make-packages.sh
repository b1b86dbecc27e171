#!/usr/bin/env bash
# Makes the installer and the zip from a Windows build folder, as package.sh
# does, into the tests' own folder.
#   make-packages.sh <build folder> <work folder> <package name, e.g. Tollvane-1.0.0-win32>
source "$(dirname "$0")/common.sh"
build=$1 out=$(packages_folder "$2") name=$3
[ -f "$build/bin/tollvane.exe" ] || { echo "FAIL: $build/bin/tollvane.exe is not built"; exit 1; }
rm -rf "$out"
timeout 150 cpack --config "$build/CPackConfig.cmake" -B "$out" || { echo "FAIL: cpack"; exit 1; }
for f in "$name-setup.exe" "$name.zip"; do
  if [ -s "$out/$f" ]; then pass "$f ($(stat -c %s "$out/$f") bytes)"; else fail "no $f"; fi
done
[ "$failures" -eq 0 ]
