#!/usr/bin/env bash
# The 32-bit world's scripts on their first run, in seconds: image.sh builds an
# image from nothing with the slow tools (debootstrap, dpkg-deb, QEMU) replaced
# by chatty stand-ins that write what the real ones would, and the real mke2fs
# (which prints "Creating regular file ..." on standard output). Checked:
#   - image.sh prints the image's folder and nothing else, on the first run and
#     when the image is cached;
#   - run.sh shows QEMU's own error when the PC cannot start;
#   - the mirror comes from the apt configuration, and none there is an error.
set -uo pipefail
scripts=$(cd "$(dirname "$0")/../../scripts/world32" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A tree of its own, so run.sh's transfer disk and results stay in the temporary folder.
tree=$tmp/tree
mkdir -p "$tree/scripts" "$tree/tests" "$tree/bench" "$tree/resources" "$tree/build/i686"
cp -r "$scripts" "$tree/scripts/world32"
touch "$tree/tests/t" "$tree/bench/b" "$tree/resources/r"

stubs=$tmp/stubs
mkdir -p "$stubs"
cat >"$stubs/debootstrap" <<'EOF'
#!/bin/bash
# Says what the real one says, and leaves a root folder and the .debs that image.sh looks for.
args=() cache=
for a in "$@"; do
  case $a in --cache-dir=*) cache=${a#--cache-dir=} ;; --*) ;; *) args+=("$a") ;; esac
done
echo "I: Retrieving InRelease"
echo "I: Extracting base-files..."
mkdir -p "${args[1]}/bin" "${args[1]}/etc"
echo debian >"${args[1]}/etc/hostname"
touch "$cache/linux-image-6.1.0-1-686_6.1.1-1_i386.deb" "$cache/busybox-static_1.35.0-4_i386.deb"
EOF
cat >"$stubs/dpkg-deb" <<'EOF'
#!/bin/bash
source "$WORLD32_SCRIPTS/common.sh"
case $1 in
  -x) mkdir -p "$3/boot" "$3/lib/modules/6.1.0-1-686/kernel"
      echo kernel >"$3/boot/vmlinuz-6.1.0-1-686"
      for m in $WORLD32_MODULES; do touch "$3/lib/modules/6.1.0-1-686/kernel/$m.ko"; done ;;
  --fsys-tarfile) d=$(mktemp -d); mkdir "$d/bin"; echo busybox >"$d/bin/busybox"
      tar -c -C "$d" ./bin/busybox; rm -rf "$d" ;;
esac
EOF
# The PC: says something on both streams; the first boot writes what setup writes.
cat >"$stubs/qemu-system-i386" <<'EOF'
#!/bin/bash
echo "qemu: chatter on standard output"
if [ -n "${STUB_QEMU_ERROR:-}" ]; then echo "$STUB_QEMU_ERROR" >&2; exit 1; fi
for a in "$@"; do case $a in file:*) serial=${a#file:} ;; esac; done
echo "world32: setup done after 1 s" >>"$serial"
EOF
printf '#!/bin/bash\nexec "$@"\n' >"$stubs/sudo"
chmod +x "$stubs"/*

apt=$tmp/apt
mkdir -p "$apt/sources.list.d"
printf 'Types: deb\nURIs: http://mirror.invalid/debian\nSuites: bookworm\n' >"$apt/sources.list.d/debian.sources"
# A disabled file is not a source.
printf 'deb http://disabled.invalid/debian bookworm main\n' >"$apt/sources.list.d/old.list.disabled"
export PATH=$stubs:$PATH WORLD32_CACHE=$tmp/cache WORLD32_APT_ETC=$apt WORLD32_SCRIPTS=$scripts

for run in first cached; do
  out=$(bash "$tree/scripts/world32/image.sh" 2>"$tmp/image-$run.err")
  rc=$?
  if [ $rc -ne 0 ]; then fail "image.sh ($run run) exited $rc:"; cat "$tmp/image-$run.err"; continue; fi
  [ "$(wc -l <<<"$out")" -eq 1 ] && [ -f "$out/root.img" ] && [ -f "$out/ready" ] \
    || fail "image.sh ($run run) printed more than the image's folder: $(head -c 300 <<<"$out")"
done

out=$(cd "$tree" && STUB_QEMU_ERROR="qemu-system-i386: Could not open 'root.img': No such file or directory" \
      bash scripts/world32/run.sh contract true 2>&1)
rc=$?
[ $rc -ne 0 ] || fail "run.sh succeeded although the PC did not start"
grep -q "qemu: qemu-system-i386: Could not open 'root.img'" <<<"$out" || fail "run.sh hid QEMU's error: $out"

source "$scripts/common.sh"
[ "$(world32_mirror)" = http://mirror.invalid/debian ] || fail "the mirror is not the one apt names"
rm "$apt/sources.list.d/debian.sources"
printf 'deb http://archive.ubuntu.invalid/ubuntu jammy main\n' >"$apt/sources.list"
if m=$(world32_mirror 2>"$tmp/mirror.err"); then fail "a mirror was made up: $m"; fi
grep -q 'name no Debian mirror' "$tmp/mirror.err" || fail "no clear message without a Debian mirror"

[ $failures -eq 0 ] && echo "world32 scripts: first run, cached run, QEMU's error and the mirror as expected"
exit $((failures > 0))
