#!/bin/busybox sh
# The first process of vm-run.sh's guest (its initramfs's /init): loads the
# modules, lays the host's root file system under a memory overlay, mounts
# the exchange and cache folders at their host paths, runs the job there and
# powers the machine off. The job's exit status goes to the exchange folder.
/bin/busybox --install -s /bin
export PATH=/bin

mkdir -p /proc /sys /dev /lower /upper /newroot
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev

fail() {
    echo "vm-init: $*" >/dev/console
    poweroff -f
}

arg() {  # arg NAME: the value of NAME= on the kernel's command line
    sed -n "s/.*[[:space:]]$1=\([^[:space:]]*\).*/\1/p" /proc/cmdline
}
share=$(arg morvantia.share)
cache=$(arg morvantia.cache)

while read -r module; do
    insmod "/modules/$module.ko" || fail "cannot load $module"
done </modules/order

# A large message size and a loose cache make the many small reads of a
# Wine start far cheaper; the root is read-only, so nothing goes stale.
mount -t 9p -o trans=virtio,version=9p2000.L,ro,cache=loose,msize=512000 hostroot /lower ||
    fail "cannot mount the host's root"
mount -t tmpfs -o size=90% upper /upper
mkdir -p /upper/data /upper/work
mount -t overlay overlay -o lowerdir=/lower,upperdir=/upper/data,workdir=/upper/work /newroot ||
    fail "cannot lay the overlay"

mount -t proc proc /newroot/proc
mount -t sysfs sys /newroot/sys
mount -t devtmpfs dev /newroot/dev
mkdir -p /newroot/dev/pts /newroot/dev/shm
mount -t devpts devpts /newroot/dev/pts
mount -t tmpfs tmpfs /newroot/dev/shm
mount -t tmpfs tmpfs /newroot/run
chmod 1777 /newroot/dev/shm
# The host's /tmp stays in view (a clone or an exchange folder may live
# there), writable through the overlay; only the host's X displays and Wine
# servers are hidden, as their sockets lead to nothing in here.
rm -rf /newroot/tmp/.X11-unix /newroot/tmp/.X*-lock /newroot/tmp/.wine-*
mkdir -p /newroot/tmp/.X11-unix
chmod 1777 /newroot/tmp /newroot/tmp/.X11-unix

for fs in "share:$share" "cache:$cache"; do
    tag=${fs%%:*}
    path=${fs#*:}
    mkdir -p "/newroot$path"
    mount -t 9p -o trans=virtio,version=9p2000.L,msize=512000 "$tag" "/newroot$path" ||
        fail "cannot mount $tag at $path"
done

# The guest's clock starts from the emulated real-time clock, which is the
# host's; nothing else to set up: no network, no services.
hostname morvantia-vm
chroot /newroot /bin/bash "$share/job.sh" </dev/null >/dev/console 2>&1
echo $? >"/newroot$share/status.tmp"
mv "/newroot$share/status.tmp" "/newroot$share/status"
sync
umount "/newroot$share" "/newroot$cache" 2>/dev/null
poweroff -f
