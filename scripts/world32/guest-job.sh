#!/bin/sh
# A run of the 32-bit world, as its first process: mount the transfer disk, run
# the job it carries, leave the job's exit code beside its results, power off.
export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8
mount -t proc proc /proc
mount -t sysfs sys /sys
mkdir -p /dev/pts /dev/shm /mnt/xfer
mount -t devpts devpts /dev/pts
mount -t tmpfs tmpfs /dev/shm
mount -t tmpfs tmpfs /tmp
# What udev would make: bash's process substitution reads /dev/fd.
ln -sfn /proc/self/fd /dev/fd
mount -t ext4 /dev/vdb /mnt/xfer || { echo "world32: no transfer disk"; /bin/busybox poweroff -f; }
mkdir -p /mnt/xfer/out
bash /mnt/xfer/job.sh
echo $? >/mnt/xfer/out/rc
echo "world32: job ended with $(cat /mnt/xfer/out/rc)"
sync
umount /mnt/xfer
/bin/busybox poweroff -f
