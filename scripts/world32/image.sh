#!/usr/bin/env bash
# The 32-bit world: an emulated 32-bit PC (QEMU's software CPU) running Debian 12
# i386 with 32-bit Wine, Xvfb and xdotool, and a Wine prefix that reports
# Windows XP SP3 (5.1.2600), booted once and kept in the image.
#
# Builds the image once and keeps it in the cache, keyed by everything that goes
# into it; prints the image's folder on standard output and nothing else there
# (every tool's messages go to standard error or to the build's logs). Nothing 32-bit is installed on this machine:
# the i386 packages are unpacked into the image only.
#   WORLD32_CACHE  where images are kept (default ${XDG_CACHE_HOME:-~/.cache}/tollvane)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"
# Standard output carries the image's folder only: everything else goes to standard error.
exec 3>&1 1>&2

suite=$WORLD32_SUITE
# What the guest needs: 32-bit Wine and its fonts, a display and X input for the
# tests, ctest to run them as the 64-bit worlds do, unzip for the zip, and a
# Japanese locale for the code-page test.
packages=busybox-static,kmod,procps,psmisc,locales,wine,wine32,libwine,fonts-wine,fonts-liberation,xvfb,xauth,xdotool,x11-utils,imagemagick,cmake,unzip
# The key: everything that goes into the image, and nothing that only boots it.
key=$( (cat "$here/image.sh" "$here/init" "$here/guest-setup.sh" "$here/guest-job.sh"; echo "$WORLD32_MODULES") \
      | sha256sum | cut -c1-12)
cache=${WORLD32_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tollvane}
image=$cache/world32-$key
mkdir -p "$cache/debs"
# One build at a time: a second caller waits for the first one's image.
exec 9>"$cache/world32.lock"
flock 9
if [ -f "$image/ready" ]; then
  echo "$image" >&3
  exit 0
fi
mirror=$(world32_mirror)

sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
work=$image.building
$sudo rm -rf "$work"
mkdir -p "$work"
log() { echo "world32: $*" >&2; }
started=$SECONDS

log "unpacking Debian $suite i386 (first stage)"
$sudo debootstrap --foreign --arch=i386 --variant=minbase --cache-dir="$cache/debs" \
  --include="$packages" "$suite" "$work/root" "$mirror" >"$work/debootstrap.log" 2>&1 \
  || { tail -20 "$work/debootstrap.log" >&2; exit 1; }
# Inside a container the first stage links /proc to the host's: the guest mounts its own.
[ -L "$work/root/proc" ] && $sudo rm "$work/root/proc" && $sudo mkdir "$work/root/proc"
# The kernel comes as a package of its own, unpacked here: installed in the guest
# it would bring initramfs-tools and udev, which the guest does not need.
$sudo debootstrap --download-only --arch=i386 --variant=minbase --cache-dir="$cache/debs" \
  --include=linux-image-686 "$suite" "$work/kernel-download" "$mirror" >>"$work/debootstrap.log" 2>&1 \
  || { tail -20 "$work/debootstrap.log" >&2; exit 1; }
kdeb=$(ls "$cache"/debs/linux-image-[0-9]*-686_*_i386.deb | sort -V | tail -1)
mkdir -p "$work/kernel"
dpkg-deb -x "$kdeb" "$work/kernel"
cp "$work"/kernel/boot/vmlinuz-* "$work/vmlinuz"

log "initramfs: static busybox and the disk and ext4 modules"
ird=$work/initramfs
mkdir -p "$ird/bin" "$ird/lib/modules" "$ird/proc" "$ird/sys" "$ird/dev" "$ird/newroot"
dpkg-deb --fsys-tarfile "$(ls "$cache"/debs/busybox-static_*_i386.deb | tail -1)" | tar -x -C "$work" ./bin/busybox
cp "$work/bin/busybox" "$ird/bin/busybox"
for m in $WORLD32_MODULES; do
  cp "$(find "$work/kernel/lib/modules" -name "$m.ko" | head -1)" "$ird/lib/modules/"
done
echo "$WORLD32_MODULES" >"$ird/lib/modules/order"
cp "$here/init" "$ird/init"
chmod +x "$ird/init"
(cd "$ird" && find . | cpio -o -H newc --quiet | gzip -1) >"$work/initrd.img"

log "root disk; the guest's first boot installs the packages and boots the Wine prefix"
$sudo cp "$here/guest-setup.sh" "$work/root/tollvane-setup.sh"
$sudo cp "$here/guest-job.sh" "$work/root/tollvane-job.sh"
$sudo mke2fs -q -t ext4 -L tollvane -d "$work/root" "$work/root.img" 8G >"$work/mke2fs.log" 2>&1 \
  || { cat "$work/mke2fs.log" >&2; exit 1; }
$sudo rm -rf "$work/root" "$work/kernel-download" "$work/kernel" "$work/bin" "$ird"
world32_boot "$work" "$work/root.img" "" /tollvane-setup.sh "$work/setup.log" 3600 \
  || { log "the first boot failed:"; tail -40 "$work/setup.log" >&2; exit 1; }
grep -q '^world32: setup done' "$work/setup.log" || { log "setup did not finish:"; tail -40 "$work/setup.log" >&2; exit 1; }
touch "$work/ready"
# An image made by other scripts is of no more use: each takes some 2 GB.
$sudo rm -rf "$image" "$cache"/world32-*[0-9a-f]
mv "$work" "$image"
log "image ready in $((SECONDS - started)) s: $image"
echo "$image" >&3
