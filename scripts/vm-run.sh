#!/bin/bash
# Runs a command inside an emulated x86-64 machine that executes 32-bit
# programs, for a host whose kernel does not. The guest boots Debian's stock
# kernel and sees this machine's own root file system, read-only, under a
# memory overlay: every package installed here (Wine, Xvfb, fonts) is there,
# and what the command writes is thrown away with the guest, except inside
# the exchange folder (MORVANTIA_VM_SHARE in the guest), which is this
# machine's own.
#
#   scripts/vm-run.sh [OPTIONS] [--] COMMAND [ARGS...]
#
#   --cpus N        virtual processors (default: this machine's, at most 4)
#   --memory MB     the guest's memory (default 6144)
#   --timeout SEC   end the guest after this long (default 3600)
#   --share DIR     the exchange folder (default: a new one, removed after)
#   --prepare       build the cache (kernel, initramfs) and exit
#
# The command runs as root in the current folder, with the environment's
# PATH, LANG and MORVANTIA_* variables; its output comes out here and its
# exit status is this script's (125: the guest could not run it at all).
#
# The kernel and the initramfs are cached in MORVANTIA_VM_CACHE (default
# ~/.cache/morvantia-vm), outside any clone, so only a new machine makes them;
# other steps may keep what is slow to make in the guest there too (it is
# mounted writable at the same path inside, and exported as
# MORVANTIA_VM_CACHE).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

cpus=$(nproc)
[ "$cpus" -gt 4 ] && cpus=4
memory=6144
timeout_s=3600
share=""
prepare_only=0
while [ $# -gt 0 ]; do
    case "$1" in
    --cpus) cpus=$2; shift 2 ;;
    --memory) memory=$2; shift 2 ;;
    --timeout) timeout_s=$2; shift 2 ;;
    --share) share=$2; shift 2 ;;
    --prepare) prepare_only=1; shift ;;
    --help | -h)
        sed -n '2,/^set -euo/p' "${BASH_SOURCE[0]}" | sed '$d; s/^# \{0,1\}//'
        exit 0
        ;;
    --) shift; break ;;
    -*) echo "vm-run: unknown option $1" >&2; exit 2 ;;
    *) break ;;
    esac
done
if [ "$prepare_only" -eq 0 ] && [ $# -eq 0 ]; then
    echo "usage: vm-run.sh [OPTIONS] [--] COMMAND [ARGS...]  (--help says more)" >&2
    exit 2
fi

cache=${MORVANTIA_VM_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/morvantia-vm}
mkdir -p "$cache"
cache=$(cd "$cache" && pwd)

need() {  # need COMMAND PACKAGE: installs PACKAGE when COMMAND is missing
    command -v "$1" >/dev/null 2>&1 && return 0
    echo "vm-run: installing $2"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "$2" >/dev/null ||
        { $sudo apt-get update -q >/dev/null && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "$2" >/dev/null; }
}
need qemu-system-x86_64 qemu-system-x86
[ -x /bin/busybox ] && /bin/busybox --list 2>/dev/null | grep -qx insmod || need busybox busybox-static
if ! file -L /bin/busybox 2>/dev/null | grep -q 'statically linked'; then
    need busybox busybox-static
fi

# The kernel: Debian's stock one, unpacked (not installed) into the cache.
# Its modules for virtio, 9p and the overlay go into the initramfs.
prepare_kernel() {
    local package
    package=$(apt-cache depends linux-image-amd64 2>/dev/null | sed -n 's/^ *Depends: \(linux-image-[0-9].*\)$/\1/p' | head -n1)
    if [ -z "$package" ]; then
        apt-get update -q >/dev/null
        package=$(apt-cache depends linux-image-amd64 | sed -n 's/^ *Depends: \(linux-image-[0-9].*\)$/\1/p' | head -n1)
    fi
    [ -n "$package" ] || { echo "vm-run: no Debian kernel package found" >&2; return 1; }
    local kdir="$cache/$package"
    if [ ! -f "$kdir/.unpacked" ]; then
        echo "vm-run: fetching $package"
        rm -rf "$kdir" "$cache/download"
        mkdir -p "$cache/download" "$kdir"
        (cd "$cache/download" && apt-get download "$package" >/dev/null 2>&1) ||
            { echo "vm-run: cannot download $package" >&2; return 1; }
        dpkg-deb -x "$cache"/download/"$package"_*.deb "$kdir"
        rm -rf "$cache/download"
        touch "$kdir/.unpacked"
    fi
    kernel_dir=$kdir
}

# The initramfs: busybox, the modules in load order and the init script.
# Made anew when the init script or the kernel changes.
prepare_initramfs() {
    local stamp
    stamp=$(cat "$here/vm-init.sh" "$kernel_dir/.unpacked" /bin/busybox | sha256sum | cut -c1-16)
    initramfs="$cache/initramfs-$stamp.cpio.gz"
    [ -f "$initramfs" ] && return 0
    rm -f "$cache"/initramfs-*.cpio.gz
    local root
    root=$(mktemp -d)
    mkdir -p "$root/bin" "$root/modules"
    cp /bin/busybox "$root/bin/busybox"
    cp "$here/vm-init.sh" "$root/init"
    chmod 755 "$root/init"
    local modules_dir
    modules_dir=$(echo "$kernel_dir"/lib/modules/*/kernel)
    # Loads the named modules after what each depends on (the .ko's own
    # "depends=" field; the unpacked package has no modules.dep).
    local -a order=()
    add_module() {
        local name=$1 file dep
        case " ${order[*]-} " in *" $name "*) return 0 ;; esac
        file=$(find "$modules_dir" -name "$name.ko" -print -quit)
        [ -n "$file" ] || { echo "vm-run: module $name not in the kernel package" >&2; return 1; }
        for dep in $(strings -a "$file" | sed -n 's/^depends=//p' | tr ',' ' '); do
            add_module "$dep"
        done
        cp "$file" "$root/modules/"
        order+=("$name")
    }
    local m
    for m in virtio_pci 9pnet_virtio 9p overlay; do add_module "$m"; done
    printf '%s\n' "${order[@]}" >"$root/modules/order"
    (cd "$root" && find . | /bin/busybox cpio -o -H newc 2>/dev/null | gzip -1) >"$initramfs.tmp"
    mv "$initramfs.tmp" "$initramfs"
    rm -rf "$root"
}

need strings binutils
prepare_kernel
prepare_initramfs
[ "$prepare_only" -eq 1 ] && { echo "vm-run: cache ready in $cache"; exit 0; }

own_share=0
if [ -z "$share" ]; then
    share=$(mktemp -d "${TMPDIR:-/tmp}/morvantia-vm.XXXXXX")
    own_share=1
fi
mkdir -p "$share"
share=$(cd "$share" && pwd)
cleanup() { [ "$own_share" -eq 1 ] && rm -rf "$share"; return 0; }
trap cleanup EXIT

# The job the guest runs: the command, quoted as given, in this folder.
{
    echo "cd $(printf '%q' "$PWD") || exit 125"
    echo "export PATH=$(printf '%q' "$PATH") LANG=$(printf '%q' "${LANG:-C.UTF-8}") HOME=/root"
    echo "export MORVANTIA_IN_VM=1 MORVANTIA_VM_SHARE=$(printf '%q' "$share") MORVANTIA_VM_CACHE=$(printf '%q' "$cache")"
    { env | grep -E '^(MORVANTIA_[A-Z0-9_]*|CI|GTEST_[A-Z_]*|CTEST_[A-Z_]*)=' | grep -v '^MORVANTIA_VM_' || true; } |
        while IFS='=' read -r name value; do echo "export $name=$(printf '%q' "$value")"; done
    printf 'exec'
    printf ' %q' "$@"
    echo
} >"$share/job.sh"
rm -f "$share/status"

# Software emulation only: the /dev/kvm of these machines (when there is
# one) fails on the first guest register write.
accel=tcg,thread=multi
cpu_model=max,-smap,-pku
vmlinuz=$(echo "$kernel_dir"/boot/vmlinuz-*)
# The guest ends itself when the job is done (it powers off); the timeout
# only ends a guest that hangs.
status=0
timeout --foreground -k 10 "$timeout_s" qemu-system-x86_64 \
    -accel "$accel" -cpu "$cpu_model" -smp "$cpus" -m "$memory" \
    -kernel "$vmlinuz" -initrd "$initramfs" \
    -append "console=ttyS0 quiet loglevel=1 panic=-1 rdinit=/init morvantia.share=$share morvantia.cache=$cache" \
    -virtfs "local,path=/,mount_tag=hostroot,security_model=none,readonly=on,multidevs=remap" \
    -virtfs "local,path=$share,mount_tag=share,security_model=none,multidevs=remap" \
    -virtfs "local,path=$cache,mount_tag=cache,security_model=none,multidevs=remap" \
    -display none -monitor none -serial stdio -no-reboot -nodefaults \
    </dev/null || status=$?
if [ -f "$share/status" ]; then
    exit "$(cat "$share/status")"
fi
echo "vm-run: the guest ended without a result (qemu status $status)" >&2
exit 125
