#!/usr/bin/env python3
"""Checks the export and import tables of a built StatsMorvantia.dll.

Reads the PE file itself (no Windows needed, so the 32-bit DLL is checked
on machines that cannot run it):
  - the export directory names the module "Stats.dll";
  - exactly the eleven entry points are exported, each under its plain name
    and its decorated name, both at one address, and the eleven addresses
    differ;
  - the decorated names are those the hosts resolve (host/plugin_host.cpp)
    and demangle (llvm-undname) to the declared signatures, with the pointer
    form of the DLL's bitness;
  - the DLL imports Windows system DLLs only, no compiler runtime DLLs.

usage: check_exports.py DLL --bits 32|64 --entry-table host/plugin_host.cpp
                        [--undname llvm-undname]
"""

import argparse
import re
import shutil
import struct
import subprocess
import sys

TEXT = "char *"
DATE = "class COleDateTime *"
UINT = "unsigned int"


def signature(result, name, params):
    return "%s __cdecl %s(%s)" % (result, name, ", ".join(params) if params else "void")


# plain name -> the declaration its decorated name stands for
DECLARATIONS = {
    "setVersion": signature("unsigned int", "setVersion", [TEXT]),
    "GetNumberOfSets": signature("int", "GetNumberOfSets", []),
    "GetSetName": signature("char *", "GetSetName", ["int"]),
    "SetupSet0": signature("void", "SetupSet0", []),
    "ResetStats0": signature(
        "int", "ResetStats0",
        [TEXT, "int", TEXT] + [DATE] * 2 + [TEXT] * 10 + ["int"] * 3 + ["double"] * 2
        + [TEXT] * 3),
    "AddData0": signature(
        "int", "AddData0",
        [TEXT] * 2 + [DATE] * 4 + [UINT] * 2 + [TEXT] * 15 + ["int"] * 3 + ["double"] * 2
        + [TEXT] * 5),
    "RemoveData0": signature(
        "int", "RemoveData0",
        [TEXT] * 2 + [DATE] * 4 + [UINT] * 2 + [TEXT] * 15 + ["int"] * 3 + ["double"] * 2
        + [TEXT] * 5),
    "GetResult0": signature("char *", "GetResult0", ["int *"]),
    "CheckCall0": signature(
        "int", "CheckCallFunc0",
        [TEXT, UINT, UINT] + [TEXT] * 11 + ["int"] * 3 + ["double"] * 2 + [TEXT] * 7
        + [TEXT] * 2),
    "GetExchgCount0": signature("int", "StatsGetExchgCount0", [TEXT] * 3),
    "IsValidExchg0": signature("int", "StatsIsValidExchg0", [TEXT] * 4 + ["int"] * 3),
}

# Import libraries that come with Windows itself.
SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "msvcrt.dll",
    "ole32.dll", "oleaut32.dll", "comctl32.dll", "comdlg32.dll", "shell32.dll",
    "shlwapi.dll", "version.dll", "winmm.dll", "ws2_32.dll", "uxtheme.dll",
    "ntdll.dll", "rpcrt4.dll", "imm32.dll",
}


class PeFile:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("not a PE file (no MZ header)")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file (no PE signature)")
        coff = pe + 4
        self.machine, sections, _, _, _, optional_size, _ = struct.unpack_from(
            "<HHIIIHH", data, coff)
        optional = coff + 20
        magic = struct.unpack_from("<H", data, optional)[0]
        if magic == 0x10B:
            self.image_base = struct.unpack_from("<I", data, optional + 28)[0]
        else:
            self.image_base = struct.unpack_from("<Q", data, optional + 24)[0]
        directories = optional + (96 if magic == 0x10B else 112)
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i)
                            for i in range(2)]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            _, virtual_size, address, raw_size, raw_pointer = struct.unpack_from(
                "<8sIIII", data, table + 40 * i)
            self.sections.append((address, max(virtual_size, raw_size), raw_pointer))

    def offset(self, rva):
        for address, size, raw in self.sections:
            if address <= rva < address + size:
                return raw + rva - address
        raise ValueError("address 0x%x is in no section" % rva)

    def u32(self, rva):
        return struct.unpack_from("<I", self.data, self.offset(rva))[0]

    def u16(self, rva):
        return struct.unpack_from("<H", self.data, self.offset(rva))[0]

    def text(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("latin-1")

    def exports(self):
        """(module name, {name: function address})"""
        rva, _ = self.directories[0]
        if rva == 0:
            return None, {}
        name = self.text(self.u32(rva + 12))
        count = self.u32(rva + 24)
        functions, names, ordinals = (self.u32(rva + 28), self.u32(rva + 32),
                                      self.u32(rva + 36))
        table = {}
        for i in range(count):
            ordinal = self.u16(ordinals + 2 * i)
            table[self.text(self.u32(names + 4 * i))] = self.u32(functions + 4 * ordinal)
        return name, table

    def imports(self):
        rva, _ = self.directories[1]
        names = []
        while rva:
            original, _, _, name, first = struct.unpack_from(
                "<IIIII", self.data, self.offset(rva))
            if not (original or name or first):
                break
            names.append(self.text(name))
            rva += 20
        return names


def entry_table(path):
    """{plain: (decorated32, decorated64)} from the hosts' table."""
    source = open(path, encoding="utf-8").read()
    rows = re.findall(r'\{\s*"(\w+)",\s*"([^"]+)",\s*"([^"]+)"\s*\}', source)
    return {plain: (d32, d64) for plain, d32, d64 in rows}


def demangle(undname, name):
    output = subprocess.run([undname, name], capture_output=True, text=True, check=True).stdout
    lines = [line.strip() for line in output.splitlines() if line.strip()]
    return lines[-1] if lines else ""


def check(args):
    problems = []
    pe = PeFile(open(args.dll, "rb").read())
    expected_machine = 0x14C if args.bits == 32 else 0x8664
    if pe.machine != expected_machine:
        problems.append("machine 0x%x, expected 0x%x" % (pe.machine, expected_machine))

    module, exports = pe.exports()
    if module != "Stats.dll":
        problems.append("export directory names the module %r, expected 'Stats.dll'" % module)

    table = entry_table(args.entry_table)
    if set(table) != set(DECLARATIONS):
        problems.append("the hosts' entry table lists %s" % sorted(table))
    wanted = {}
    for plain, pair in table.items():
        wanted[plain] = plain
        wanted[pair[0] if args.bits == 32 else pair[1]] = plain
    for name in sorted(set(exports) - set(wanted)):
        problems.append("unexpected export %s" % name)

    addresses = {}
    for plain in sorted(DECLARATIONS):
        if plain not in table:
            continue
        decorated = table[plain][0 if args.bits == 32 else 1]
        if plain not in exports:
            problems.append("%s is not exported" % plain)
            continue
        if decorated not in exports:
            problems.append("%s is not exported (alias of %s)" % (decorated, plain))
            continue
        if exports[plain] != exports[decorated]:
            problems.append("%s at 0x%x but %s at 0x%x" % (
                plain, exports[plain], decorated, exports[decorated]))
        addresses.setdefault(exports[plain], []).append(plain)
        pointer_model_wrong = ("PEA" in decorated) if args.bits == 32 else bool(
            re.search(r"P[AB][A-Z]", decorated.replace("PEA", "").replace("PEB", "")))
        if pointer_model_wrong:
            problems.append("%s has the pointers of the other bitness" % decorated)
        declared = demangle(args.undname, decorated)
        if declared != DECLARATIONS[plain]:
            problems.append("%s demangles to\n      %s\n    expected\n      %s" % (
                decorated, declared, DECLARATIONS[plain]))
    for address, names in addresses.items():
        if len(names) > 1:
            problems.append("%s share the address 0x%x" % (", ".join(names), address))

    for dll in pe.imports():
        if dll.lower() not in SYSTEM_DLLS:
            problems.append("imports %s, which is not a Windows system DLL" % dll)
    return problems, exports, pe.imports()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("dll")
    parser.add_argument("--bits", type=int, choices=(32, 64), required=True)
    parser.add_argument("--entry-table", required=True)
    parser.add_argument("--undname", default="llvm-undname")
    args = parser.parse_args()
    if shutil.which(args.undname) is None:
        print("FAIL: %s not found (package llvm)" % args.undname)
        return 1
    problems, exports, imports = check(args)
    for name in sorted(exports, key=lambda n: (exports[n], n)):
        print("  0x%08x  %s" % (exports[name], name))
    print("imports: %s" % ", ".join(imports))
    for problem in problems:
        print("FAIL: " + problem)
    if not problems:
        print("export table of %s: %d names, all as declared" % (args.dll, len(exports)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
