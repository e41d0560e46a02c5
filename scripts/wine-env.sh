#!/bin/bash
# The Wine rig of the Windows builds: one prefix per build folder, kept in
# BUILD/wine-prefix: a 32-bit one for the 32-bit build, a 64-bit one for the
# 64-bit build.
#
#   scripts/wine-env.sh BUILD          prepare the prefix and start its
#   source scripts/wine-env.sh BUILD   services (inside the X server the tests
#                                      use); sourcing also exports WINEPREFIX
#                                      and WINEDEBUG for the commands after it
#
# Sourced with --functions-only (as wine-run does) it only defines the
# helper functions. Wine's long-lived services (wineserver, services.exe,
# explorer.exe) keep the standard output of the wine command that started
# them; they are started here with their output in BUILD/wine-prefix.log, so
# that no test run's pipe is held open after the test has ended.

# The Wine loaders. The 32-bit one is an i386 program: present but useless on
# a kernel that cannot execute 32-bit code.
morvantia_wine_find_loaders() {
    MORVANTIA_WINE64=""
    MORVANTIA_WINE32=""
    local candidate
    for candidate in /usr/lib/wine/wine64 /usr/lib64/wine/wine64 /opt/wine-stable/bin/wine64 \
        "$(command -v wine64 2>/dev/null)"; do
        if [ -n "$candidate" ] && [ -x "$candidate" ]; then
            MORVANTIA_WINE64=$candidate
            break
        fi
    done
    for candidate in /usr/lib/wine/wine /usr/lib/i386-linux-gnu/wine/wine /usr/lib32/wine/wine \
        /opt/wine-stable/bin/wine; do
        if [ -x "$candidate" ]; then
            MORVANTIA_WINE32=$candidate
            break
        fi
    done
}

# True when 32-bit Windows programs can run here: the 32-bit loader exists
# and the kernel executes it.
morvantia_wine_can_run_32bit() {
    morvantia_wine_find_loaders
    [ -n "$MORVANTIA_WINE32" ] || return 1
    WINEDEBUG=-all "$MORVANTIA_WINE32" --version >/dev/null 2>&1
}

# True when 32-bit Windows programs can at least run in the emulated machine
# of vm-run.sh (which mounts this machine's own Wine).
morvantia_wine_can_emulate_32bit() {
    morvantia_wine_find_loaders
    [ -n "$MORVANTIA_WINE32" ] && command -v qemu-system-x86_64 >/dev/null 2>&1
}

# The prefix kind of a build folder's programs: win32 for a 32-bit build.
morvantia_wine_arch_of_build() {
    local processor
    processor=$(grep -ho 'set(CMAKE_SYSTEM_PROCESSOR "[^"]*"' "$1"/CMakeFiles/*/CMakeSystem.cmake 2>/dev/null |
        head -n1 | cut -d'"' -f2)
    if [ "$processor" = "i686" ]; then echo win32; else echo win64; fi
}

# The loader that creates and serves a prefix of kind $1 (win32 or win64).
morvantia_wine_loader_for() {
    morvantia_wine_find_loaders
    if [ "$1" = "win32" ]; then echo "$MORVANTIA_WINE32"; else echo "$MORVANTIA_WINE64"; fi
}

# The machine field of a PE file's header: i386, x86_64 or unknown.
morvantia_pe_machine() {
    local offset machine
    offset=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
    [ -n "$offset" ] || { echo unknown; return; }
    machine=$(od -An -tx2 -j$((offset + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')
    case "$machine" in
    014c) echo i386 ;;
    8664) echo x86_64 ;;
    *) echo unknown ;;
    esac
}

# The build folder holding a path: the nearest folder up with a CMakeCache.txt.
morvantia_build_dir_of() {
    local dir
    dir=$(cd "$(dirname "$1")" 2>/dev/null && pwd) || return 1
    while [ "$dir" != "/" ]; do
        if [ -f "$dir/CMakeCache.txt" ]; then
            echo "$dir"
            return 0
        fi
        dir=$(dirname "$dir")
    done
    return 1
}

morvantia_wine_fonts_dir() {
    local dir
    for dir in /usr/share/wine/fonts /usr/share/wine/wine/fonts /opt/wine-stable/share/wine/fonts; do
        if [ -f "$dir/tahoma.ttf" ]; then
            echo "$dir"
            return 0
        fi
    done
    return 1
}

# Creates the prefix of WINEPREFIX once, of kind MORVANTIA_WINE_ARCH (win32 or
# win64, the default). Several wine-run calls may start at the same moment (a
# parallel build or ctest -j), so creation is serialised by a lock beside the
# prefix. Where MORVANTIA_WINE_PREFIX_CACHE names a folder, a prefix made once
# is packed there and later ones are unpacked from it: making one takes
# minutes in an emulated machine.
morvantia_wine_ensure_prefix() {
    local arch=${MORVANTIA_WINE_ARCH:-win64} loader
    loader=$(morvantia_wine_loader_for "$arch")
    if [ -z "$loader" ]; then
        echo "wine: no Wine loader for $arch prefixes (install wine, wine64 and wine32:i386)" >&2
        return 1
    fi
    [ -f "$WINEPREFIX/.morvantia-ready" ] && return 0
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        [ -f "$WINEPREFIX/.morvantia-ready" ] && exit 0
        local log="$WINEPREFIX.log" fonts packed=""
        if [ -n "${MORVANTIA_WINE_PREFIX_CACHE:-}" ]; then
            packed="$MORVANTIA_WINE_PREFIX_CACHE/wine-prefix-$arch-$(WINEDEBUG=-all "$loader" --version 2>/dev/null | tr -c 'A-Za-z0-9.\n-' _).tar.gz"
            if [ -f "$packed" ] && rm -rf "$WINEPREFIX" && mkdir -p "$WINEPREFIX" &&
                tar -xzf "$packed" -C "$WINEPREFIX" 2>>"$log"; then
                touch "$WINEPREFIX/.morvantia-ready"
                exit 0
            fi
        fi
        WINEARCH=$arch WINEDEBUG=-all "$loader" wineboot --init \
            >>"$log" 2>&1 </dev/null || { echo "wine: cannot create $WINEPREFIX (see $log)" >&2; exit 1; }
        # Xvfb has no window manager: let Wine draw the window frames itself.
        WINEDEBUG=-all "$loader" reg add 'HKCU\Software\Wine\X11 Driver' \
            /v Managed /t REG_SZ /d N /f >>"$log" 2>&1 </dev/null || exit 1
        # Wine's own fonts, so that text is measured and drawn the same way on
        # every machine.
        if fonts=$(morvantia_wine_fonts_dir); then
            mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
            cp -f "$fonts"/tahoma*.ttf "$fonts"/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
        else
            echo "wine: Wine's fonts not found (package fonts-wine); the prefix uses fallbacks" >&2
        fi
        # Registry changes reach the disk when the prefix's server ends.
        "$(morvantia_wineserver)" -w >>"$log" 2>&1
        if [ -n "$packed" ]; then
            tar -czf "$packed.$$" -C "$WINEPREFIX" . 2>>"$log" && mv -f "$packed.$$" "$packed" ||
                rm -f "$packed.$$"
        fi
        touch "$WINEPREFIX/.morvantia-ready"
    ) 9>"$WINEPREFIX.lock"
}

morvantia_wineserver() {
    local candidate
    for candidate in /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver "$(command -v wineserver 2>/dev/null)"; do
        if [ -n "$candidate" ] && [ -x "$candidate" ]; then
            echo "$candidate"
            return 0
        fi
    done
    return 1
}

# Prepares BUILD's prefix and starts its services for a test run.
morvantia_wine_setup() {
    local build
    build=$(cd "$1" 2>/dev/null && pwd) || { echo "wine-env: no build folder $1" >&2; return 1; }
    export WINEPREFIX="$build/wine-prefix"
    export WINEDEBUG=-all
    MORVANTIA_WINE_ARCH=$(morvantia_wine_arch_of_build "$build")
    export MORVANTIA_WINE_ARCH
    local loader
    loader=$(morvantia_wine_loader_for "$MORVANTIA_WINE_ARCH")
    MORVANTIA_WINESERVER=$(morvantia_wineserver) || { echo "wine-env: wineserver not found" >&2; return 1; }
    export MORVANTIA_WINESERVER
    local log="$WINEPREFIX.log"
    mkdir -p "$build"
    # A server of this prefix left from an earlier run (or started by a
    # build without a display) would hand the tests a dead or missing X
    # display: end it and wait until it is gone.
    "$MORVANTIA_WINESERVER" -k >>"$log" 2>&1
    "$MORVANTIA_WINESERVER" -w >>"$log" 2>&1
    morvantia_wine_ensure_prefix || return 1
    # One persistent server for the whole run, so that every test program
    # meets the same running services instead of starting its own.
    "$MORVANTIA_WINESERVER" -p >>"$log" 2>&1 </dev/null
    WINEDEBUG=-all "$loader" wineboot >>"$log" 2>&1 </dev/null
    WINEDEBUG=-all "$loader" cmd /c exit >>"$log" 2>&1 </dev/null
    return 0
}

# Ends the services of BUILD's prefix.
morvantia_wine_teardown() {
    local build
    build=$(cd "$1" 2>/dev/null && pwd) || return 0
    WINEPREFIX="$build/wine-prefix" "$(morvantia_wineserver)" -k >/dev/null 2>&1
    return 0
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    # Called as a command.
    set -u
    if [ $# -ne 1 ]; then
        echo "usage: $0 BUILD_FOLDER" >&2
        exit 2
    fi
    morvantia_wine_setup "$1"
    exit $?
elif [ $# -ge 1 ] && [ "$1" != "--functions-only" ]; then
    morvantia_wine_setup "$1"
fi
