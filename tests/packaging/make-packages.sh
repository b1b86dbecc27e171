#!/usr/bin/env bash
# Makes the installer and the zip from a Windows build folder, as package.sh
# does, into a folder of the tests' own.
#   make-packages.sh <build folder> <output folder> <version>
set -uo pipefail
build=$1 out=$2 version=$3
[ -f "$build/bin/tollvane.exe" ] || { echo "FAIL: $build/bin/tollvane.exe is not built"; exit 1; }
rm -rf "$out"
timeout 150 cpack --config "$build/CPackConfig.cmake" -B "$out" || { echo "FAIL: cpack"; exit 1; }
rc=0
for f in "Tollvane-$version-win64-setup.exe" "Tollvane-$version-win64.zip"; do
  if [ -s "$out/$f" ]; then echo "ok: $f ($(stat -c %s "$out/$f") bytes)"; else echo "FAIL: no $f"; rc=1; fi
done
exit $rc
