# shellcheck shell=bash
# Shared by the 32-bit world's scripts (sourced).

# The modules Debian's 686 kernel needs, in load order, to reach an ext4 disk on virtio.
export WORLD32_MODULES="virtio virtio_ring virtio_pci_legacy_dev virtio_pci_modern_dev virtio_pci virtio_blk crc16 crc32c_generic libcrc32c mbcache jbd2 ext4"
# The processor: a Pentium II without MMX, that is a Pentium Pro, the oldest class the
# program and Debian's i386 runtime support (both use CMOV; Windows XP itself would run
# on a Pentium). QEMU has no Pentium Pro model of its own.
WORLD32_CPU=${WORLD32_CPU:-pentium2,-mmx}
WORLD32_SUITE=bookworm

# The Debian mirror this machine's own apt uses: the 32-bit PC's packages come
# from where this machine's come from, and from nowhere else.
#   WORLD32_APT_ETC  the apt configuration folder to read (default /etc/apt)
world32_mirror() {
  local etc=${WORLD32_APT_ETC:-/etc/apt} files=() m
  [ -f "$etc/sources.list" ] && files+=("$etc/sources.list")
  files+=("$etc"/sources.list.d/*.list "$etc"/sources.list.d/*.sources)
  m=$(grep -hoE '^\s*(URIs:|deb(\s+\[[^]]*\])?)\s+https?://[^ ]*/debian/?(\s|$)' "${files[@]}" 2>/dev/null \
      | grep -oE 'https?://[^ ]*' | head -1)
  if [ -z "$m" ]; then
    echo "world32: this machine's apt sources name no Debian mirror (a 'deb http…/debian' or 'URIs: http…/debian' line);" \
         "the 32-bit PC is built from Debian $WORLD32_SUITE i386 packages and needs one" >&2
    return 1
  fi
  echo "$m"
}

# world32_boot <image folder> <root disk> <transfer disk or ""> <script in the guest> <log> <seconds>
# Boots the PC and runs the script as its first process; the PC powers off when it ends.
# The serial console goes to the log, QEMU's own messages to <log>.qemu; when QEMU
# fails or times out, those are shown. Returns non-zero on a failure or a time-out.
world32_boot() {
  local dir=$1 root=$2 xfer=$3 script=$4 log=$5 seconds=$6 rc=0
  # With a transfer disk the root disk is the cached image: a run writes to a throw-away overlay.
  local drives=(-drive "file=$root,if=virtio,format=raw,cache=unsafe${xfer:+,snapshot=on}")
  [ -n "$xfer" ] && drives+=(-drive "file=$xfer,if=virtio,format=raw,cache=unsafe")
  timeout "$seconds" qemu-system-i386 -accel tcg,thread=multi -smp 2 -m 2048 -cpu "$WORLD32_CPU" \
    -kernel "$dir/vmlinuz" -initrd "$dir/initrd.img" \
    -append "console=ttyS0 quiet panic=-1 tollvane.init=$script" \
    "${drives[@]}" -nic none -display none -monitor none -serial "file:$log" \
    -no-reboot </dev/null >"$log.qemu" 2>&1 || rc=$?
  if [ "$rc" -ne 0 ]; then
    if [ "$rc" -eq 124 ]; then echo "world32: the PC was stopped after $seconds s" >&2
    else echo "world32: QEMU failed (exit $rc):" >&2; fi
    sed 's/^/  qemu: /' "$log.qemu" >&2
  fi
  return "$rc"
}
