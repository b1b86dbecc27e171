#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, where missing.
set -euo pipefail
# The shipped 32-bit program and the x86-64 build that the tests run are both
# made with mingw-w64's win32 thread model. Wine installed without its
# recommendations brings no fonts: the program and the pixel tests get the
# same ones on every machine from fonts-wine (Wine's own Tahoma, MS Sans Serif
# and Marlett) and fonts-liberation (metric twins of Arial, Times New Roman and
# Courier New); a Japanese Windows has Japanese fonts, and the Japanese Wine
# world gets IPA's Gothic (fonts-ipafont-gothic) in their place. The 32-bit
# world is an emulated PC (qemu-system-x86) whose Debian i386 system
# debootstrap unpacks into a disk image (e2fsprogs, cpio): no 32-bit package is
# ever installed on this machine.
packages=(cmake ninja-build ccache g++ clang libclang-rt-14-dev clang-format clang-tidy shellcheck googletest
          g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 mingw-w64-tools
          wine wine64 fonts-wine fonts-liberation fonts-ipafont-gothic
          xvfb xdotool x11-utils imagemagick python3 nsis zip unzip p7zip-full locales
          wixl msitools qemu-system-x86 debootstrap cpio e2fsprogs)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
# The registry writer is tested once more under a Japanese locale (code page 932),
# the logoff in Wine worlds whose language is German and Japanese, and the
# program's words in French and Spanish ones.
for loc in ja_JP de_DE fr_FR es_ES; do
  if ! locale -a 2>/dev/null | grep -qi "^$loc\.utf-\?8$"; then
    SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    $SUDO localedef -i $loc -c -f UTF-8 $loc.UTF-8
  fi
done
