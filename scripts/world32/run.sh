#!/usr/bin/env bash
# Runs a command in the emulated 32-bit PC, in a copy of this tree at the same
# path, with the 32-bit Windows build (build/i686), and brings what it leaves in
# build/test-logs and build/artifacts/<name> back here. For example the tests,
# with the harness of the 64-bit worlds:
#   run.sh xp32 bash scripts/wine-world.sh xp32 "" build/i686 [ctest options...]
# Wine there is 32-bit (WINEARCH=win32) and a booted prefix that reports Windows
# XP SP3 is at $WINE_SESSION_TEMPLATE. Files go in and results come out on a disk
# image of their own; the PC has no network.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
source "$here/common.sh"
name=$1; shift
image=$(bash "$here/image.sh") && [ -f "$image/root.img" ] \
  || { echo "world32: no image of the 32-bit PC${image:+ (image.sh printed '$image')}"; exit 1; }
xfer=$root/build/world32-$name
rm -rf "$xfer"
mkdir -p "$xfer/disk/tree"

# The tree as the tests see it, at the same path inside the PC: the scripts and
# test sources, and of the build the programs, the packages and ctest's files.
(cd "$root" && { find scripts tests bench resources -type f
                 find build/i686 -path '*/CMakeFiles' -prune -o -name 'wine-*' -prune -o -type f \
                   \( -name '*.cmake' -o -name '*.exe' -o -name '*.bin' -o -name '*.msi' -o -path '*/packaging-tests/*' \) -print; }) \
  | (cd "$root" && xargs -d '\n' cp --parents -t "$xfer/disk/tree")
env_vars=""
for v in TOLLVANE_SOAK_SHORT TOLLVANE_RUN_NAME BENCH_SECONDS BENCH_ABOUT BENCH_ROUNDS BENCH_WAITING_SECONDS; do
  [ -n "${!v:-}" ] && env_vars+="export $v=$(printf '%q' "${!v}"); "
done
cat >"$xfer/disk/job.sh" <<JOB
#!/bin/bash
mkdir -p $(printf '%q' "$root") && mount --bind /mnt/xfer/tree $(printf '%q' "$root") || exit 1
cd $(printf '%q' "$root")
$env_vars
export TOLLVANE_WORLD=i386 WINEARCH=win32 WINE_SESSION_TEMPLATE=/opt/tollvane/prefix-winxp
echo "world32: \$(nproc) processor(s): \$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2)"
$(printf '%q ' "$@")
JOB
mke2fs -q -t ext4 -L transfer -d "$xfer/disk" "$xfer/disk.img" 16G >"$xfer/mke2fs.log" 2>&1 \
  || { echo "world32: the transfer disk could not be made:"; cat "$xfer/mke2fs.log"; exit 1; }
rm -rf "$xfer/disk"

started=$SECONDS
: >"$xfer/console.log"
tail -n +1 -f "$xfer/console.log" &
follow=$!
world32_boot "$image" "$image/root.img" "$xfer/disk.img" /tollvane-job.sh "$xfer/console.log" "${WORLD32_SECONDS:-5400}"
booted=$?
kill $follow 2>/dev/null
# debugfs dumps a folder only into one where it does not exist yet.
mkdir -p "$xfer/out" "$root/build/test-logs" "$root/build/artifacts"
for dir in test-logs "artifacts/$name"; do
  debugfs -R "rdump /tree/build/$dir $xfer/out" "$xfer/disk.img" >/dev/null 2>&1
done
[ -d "$xfer/out/test-logs" ] && cp -r "$xfer/out/test-logs/." "$root/build/test-logs/"
[ -d "$xfer/out/$name" ] && cp -r "$xfer/out/$name" "$root/build/artifacts/"
rc=$(debugfs -R 'cat /out/rc' "$xfer/disk.img" 2>/dev/null)
echo "world32: the PC ran for $((SECONDS - started)) s; the job ended with '${rc:-nothing}'"
[ "${KEEP_WORLD32_DISK:-0}" = 1 ] || rm -f "$xfer/disk.img"
[ "$booted" -eq 0 ] && [ "${rc:-1}" = 0 ]
