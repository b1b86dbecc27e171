#!/usr/bin/env bash
# Builds the shipped tollvane.exe (the i686 preset, mingw-w64) and its three
# packages, each named with the version from CMakeLists.txt and with a .sha256
# file beside it, into build/packages/:
#   Tollvane-<version>-win32-setup.exe   per-user installer (no administrator rights)
#   Tollvane-<version>-win32.zip         portable: tollvane.exe, readme.txt, LICENSE
#   Tollvane-<version>-win32.msi         Windows Installer package: machine-wide, for administrators
# The program in all three is the 32-bit build, for Windows XP SP3 and every later Windows.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/deps.sh
cmake --preset i686 >/dev/null
cmake --build --preset i686 --target tollvane tollvane_package_msi
rm -rf build/packages
cpack --config build/i686/CPackConfig.cmake -B build/packages
rm -rf build/packages/_CPack_Packages
for msi in build/i686/msi/*.msi; do
  cp "$msi" build/packages/
  (cd build/packages && sha256sum "$(basename "$msi")" >"$(basename "$msi").sha256")
done
echo
echo "Packages:"
for f in build/packages/*.exe build/packages/*.zip build/packages/*.msi; do
  printf '  %s  (%s bytes)\n' "$f" "$(stat -c %s "$f")"
done
