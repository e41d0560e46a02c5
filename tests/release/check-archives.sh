#!/usr/bin/env bash
# Checks the release archives made by scripts/release.sh, unpacked where no
# build folder is near:
#   - the checksums match;
#   - each archive holds exactly the files it should, nothing from a build
#     tree;
#   - the DLLs carry the project's version;
#   - the Linux programs run from the unpacked folder and score the example
#     log to the summary the native build gives;
#   - the 64-bit DLL from the zip, with the zip's morvantia-score.exe, does
#     the same under Wine, and so does the 32-bit DLL from the zip with the
#     32-bit release build's morvantia-score.exe, in the emulated machine of
#     scripts/vm-run.sh;
#   - the zip's DLLs carry no debug sections;
#   - `cmake --install` of the native release build gives bin/, lib/ and
#     share/man/man1/ that work the same way.
#
#   tests/release/check-archives.sh [RELEASE_FOLDER]   (default: build/release)
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
release=$(cd "${1:-$root/build/release}" && pwd) || exit 2
expected_summary="$root/tests/cli/expected/yo2mvt-morvantia.summary.txt"
version=$(sed -n 's/^#define MORVANTIA_VERSION "\(.*\)"$/\1/p' \
    "$root/build/release-native/generated/morvantia_version.h")
work=$(mktemp -d /tmp/morvantia-release-check.XXXXXX)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}
pass() { echo "ok: $*"; }

# check_listing NAME ACTUAL_FILE EXPECTED...: the archive's files are these.
check_listing() {
    local name=$1 actual=$2
    shift 2
    printf '%s\n' "$@" | sort >"$work/expected-$name"
    if diff -u "$work/expected-$name" "$actual" >"$work/diff-$name"; then
        pass "$name holds exactly the files it should"
    else
        fail "$name holds other files than it should:"
        cat "$work/diff-$name"
    fi
}

# check_summary WHAT SUMMARY_FILE: the example's summary, byte for byte.
check_summary() {
    if cmp -s "$2" "$expected_summary"; then
        pass "$1 scores the example to the native summary"
    else
        fail "$1 gives another summary than the native build:"
        diff <(cat -A "$expected_summary") <(cat -A "$2") | head -20
    fi
}

zip="$release/morvantia-$version-windows.zip"
tar="$release/morvantia-$version-linux-x86_64.tar.gz"
for archive in "$zip" "$tar" "$release/SHA256SUMS"; do
    [ -f "$archive" ] || fail "missing $archive"
done
[ "$failures" -eq 0 ] || exit 1

if (cd "$release" && sha256sum --quiet -c SHA256SUMS); then
    pass "SHA256SUMS matches both archives"
else
    fail "SHA256SUMS does not match"
fi

examples=$(cd "$root/examples" && find . -type f ! -name '*.py' | sed 's|^\./||' | sort)

# --- Windows zip
mkdir -p "$work/zip"
(cd "$work/zip" && unzip -q "$zip")
(cd "$work/zip" && find . -type f | sed 's|^\./||' | sort) >"$work/actual-zip"
windows_programs=(morvantia-score.exe)
[ -f "$root/build/release-win64/bin/morvantia-check.exe" ] && windows_programs+=(morvantia-check.exe)
# shellcheck disable=SC2086
check_listing zip "$work/actual-zip" x86/StatsMorvantia.dll x64/StatsMorvantia.dll \
    "${windows_programs[@]}" INSTALL.txt CHANGELOG.md $(sed 's|^|examples/|' <<<"$examples")
for dll in x86 x64; do
    if python3 "$root/tests/win/check_version_resource.py" "$work/zip/$dll/StatsMorvantia.dll" \
        --version "$version" >/dev/null; then
        pass "$dll/StatsMorvantia.dll carries version $version"
    else
        fail "$dll/StatsMorvantia.dll does not carry version $version"
    fi
done
case "$(file -b "$work/zip/x86/StatsMorvantia.dll") / $(file -b "$work/zip/x64/StatsMorvantia.dll")" in
*"Intel 80386"*"/ "*"x86-64"*) pass "x86 holds the 32-bit DLL, x64 the 64-bit one" ;;
*) fail "the DLLs are not in the folders of their bitness" ;;
esac

# The unpacked zip under Wine, in the Wine prefix of the test build when
# there is one (making a prefix takes a while).
prefix="$root/build/win64/wine-prefix"
[ -d "$prefix" ] || prefix="$work/wine-prefix"
if command -v xvfb-run >/dev/null 2>&1; then
    (cd "$work/zip" && MORVANTIA_WINEPREFIX="$prefix" xvfb-run -a "$root/scripts/wine-run" \
        morvantia-score.exe --quiet --out "$work/zip-run" examples/yo2mvt-morvantia.adi \
        >"$work/zip-summary.txt" 2>"$work/zip-err.txt")
    status=$?
    [ "$status" -eq 0 ] || { fail "morvantia-score.exe from the zip exited $status"; cat "$work/zip-err.txt"; }
    check_summary "morvantia-score.exe with x64/StatsMorvantia.dll from the zip" "$work/zip-summary.txt"
else
    fail "xvfb-run is missing: the zip's programs cannot be run"
fi

# The 32-bit DLL, the one most operators install, scored by the 32-bit
# program in the emulated machine (whatever this kernel runs). The exchange
# folder is the only place the guest writes that this side can read. The
# Wine prefix is the 32-bit test build's, or else the one the emulated
# machine keeps in its cache (its writes stay in the guest either way).
x86run="$work/x86-run"
mkdir -p "$x86run"
cp "$work/zip/x86/StatsMorvantia.dll" "$root/build/release-win32/bin/morvantia-score.exe" "$x86run/"
cp -r "$work/zip/examples" "$x86run/"
(cd "$x86run" && "$root/scripts/vm-run.sh" --share "$x86run" -- bash -c '
    prefix=$1/build/win32/wine-prefix
    if [ ! -f "$prefix/.morvantia-ready" ]; then
        prefix=/root/wine-prefix
        export MORVANTIA_WINE_PREFIX_CACHE=$MORVANTIA_VM_CACHE
    fi
    MORVANTIA_WINEPREFIX=$prefix xvfb-run -a "$1/scripts/wine-run" morvantia-score.exe \
        --quiet --out out examples/yo2mvt-morvantia.adi >summary.txt 2>err.txt' x86-run "$root")
status=$?
[ "$status" -eq 0 ] || { fail "32-bit morvantia-score.exe with x86/StatsMorvantia.dll exited $status"; cat "$x86run/err.txt"; }
check_summary "32-bit morvantia-score.exe with x86/StatsMorvantia.dll from the zip" "$x86run/summary.txt"

for dll in x86 x64; do
    if objdump -h "$work/zip/$dll/StatsMorvantia.dll" 2>/dev/null | grep -q '\.debug_'; then
        fail "$dll/StatsMorvantia.dll carries debug sections"
    else
        pass "$dll/StatsMorvantia.dll carries no debug sections ($(stat -c %s "$work/zip/$dll/StatsMorvantia.dll") bytes)"
    fi
done

# --- Linux tar
mkdir -p "$work/tar"
tar -xzf "$tar" -C "$work/tar"
top="$work/tar/morvantia-$version-linux-x86_64"
(cd "$top" && find . -type f | sed 's|^\./||' | sort) >"$work/actual-tar"
linux_programs=(morvantia-score)
[ -f "$root/build/release-native/bin/morvantia-check" ] && linux_programs+=(morvantia-check)
expected_tar=(lib/libStatsMorvantia.so share/doc/Morvantia/README.md share/doc/Morvantia/CHANGELOG.md)
for program in "${linux_programs[@]}"; do
    expected_tar+=("bin/$program" "share/man/man1/$program.1"
        "share/bash-completion/completions/$program")
done
# shellcheck disable=SC2086
check_listing tar "$work/actual-tar" "${expected_tar[@]}" \
    $(sed 's|^|share/doc/Morvantia/examples/|' <<<"$examples")

for program in "${linux_programs[@]}"; do
    if readelf -d "$top/bin/$program" | grep -qE 'RPATH|RUNPATH'; then
        fail "bin/$program carries a library search path: $(readelf -d "$top/bin/$program" | grep -E 'RPATH|RUNPATH')"
    fi
done
# Copied to a folder of its own, the build tree cannot be what it uses.
(cd "$work" && "$top/bin/morvantia-score" --quiet --out "$work/tar-run" \
    "$top/share/doc/Morvantia/examples/yo2mvt-morvantia.adi" >"$work/tar-summary.txt")
check_summary "bin/morvantia-score from the tar" "$work/tar-summary.txt"
if man -l "$top/share/man/man1/morvantia-score.1" 2>/dev/null | grep -q -- "--start"; then
    pass "the manual page of morvantia-score lists its options"
else
    fail "the manual page of morvantia-score does not list --start"
fi

# --- cmake --install
if cmake --install "$root/build/release-native" --prefix "$work/installed" >/dev/null; then
    (cd "$work" && "$work/installed/bin/morvantia-score" --quiet --out "$work/installed-run" \
        "$root/examples/yo2mvt-morvantia.adi" >"$work/installed-summary.txt")
    check_summary "cmake --install's bin/morvantia-score" "$work/installed-summary.txt"
    [ -f "$work/installed/share/man/man1/morvantia-score.1" ] || fail "cmake --install gave no manual page"
else
    fail "cmake --install of build/release-native failed"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures release check(s) failed"
    exit 1
fi
echo "All release checks passed."
