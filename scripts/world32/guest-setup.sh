#!/bin/sh
# The 32-bit world's first boot, as its first process: finish installing Debian
# (debootstrap's second stage), add the Japanese locale, and boot the Wine prefix
# that every run copies: 32-bit, reporting Windows XP SP3.
export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8
mounts() {
  mountpoint -q /proc || mount -t proc proc /proc
  mountpoint -q /sys || mount -t sysfs sys /sys
}
end() { echo "world32: $1"; sync; /bin/busybox poweroff -f; }
mounts
started=$(cut -d. -f1 /proc/uptime)
if [ -x /debootstrap/debootstrap ]; then
  echo "world32: second stage"
  /debootstrap/debootstrap --second-stage >/root/second-stage.log 2>&1 || { tail -30 /root/second-stage.log; end "second stage failed"; }
  # It unmounts what it found mounted.
  mounts
fi
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
mount -t tmpfs tmpfs /dev/shm
echo "world32: second stage done after $(( $(cut -d. -f1 /proc/uptime) - started )) s"
localedef -i ja_JP -c -f UTF-8 ja_JP.UTF-8 || end "no Japanese locale"
apt-get clean

echo "world32: Wine prefix"
Xvfb :9 -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:9 WINEARCH=win32 WINEDEBUG=-all WINEPREFIX=/opt/tollvane/prefix-winxp
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" LC_ALL=C.UTF-8
mkdir -p /opt/tollvane
wineboot -i </dev/null >/dev/null 2>&1
wine winecfg -v winxp </dev/null >/dev/null 2>&1
wineserver -w
echo "world32: Wine says: $(wine cmd /c ver </dev/null 2>/dev/null | tr -d '\r' | grep -m1 .)"
wineserver -w
kill $xvfb
[ -f "$WINEPREFIX/system.reg" ] || end "no Wine prefix"
echo "world32: setup done after $(( $(cut -d. -f1 /proc/uptime) - started )) s"
end "powering off"
