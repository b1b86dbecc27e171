#!/usr/bin/env bash
# Builds tollvane.exe (Windows preset, mingw-w64) and both of its packages, each
# named with the version from CMakeLists.txt, into build/packages/:
#   Tollvane-<version>-win64-setup.exe   per-user installer (no administrator rights)
#   Tollvane-<version>-win64.zip         portable: tollvane.exe, readme.txt, LICENSE
# plus a .sha256 file for each.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target tollvane
rm -rf build/packages
cpack --config build/windows/CPackConfig.cmake -B build/packages
rm -rf build/packages/_CPack_Packages
echo
echo "Packages:"
for f in build/packages/*.exe build/packages/*.zip; do
  printf '  %s  (%s bytes)\n' "$f" "$(stat -c %s "$f")"
done
