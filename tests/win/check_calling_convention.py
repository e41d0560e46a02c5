#!/usr/bin/env python3
"""Checks that every entry point a 32-bit DLL exports leaves its arguments
on the stack for the caller to remove (cdecl).

The host pushes the arguments, calls, and removes them itself; an entry point
that removes them too (`ret $n`, as stdcall does) leaves the host's stack
pointer n bytes off. The code is read with objdump, so a DLL this machine
cannot run is checked too:
  - an export's code is the function at its address in objdump's listing,
    from its symbol up to the next one, plus every function it jumps into:
    a thunk's target, a tail call, a cold part the compiler split off;
  - every `ret` in that code is a plain one, and there is at least one.

Before the DLL, the check judges a probe DLL with a cdecl export, a stdcall
export and a thunk that jumps to the stdcall one, and fails unless it tells
them apart.

usage: check_calling_convention.py DLL --probe PROBE_DLL [--objdump OBJDUMP]
"""

import argparse
import bisect
import re
import subprocess
import sys

from check_exports import PeFile

LABEL = re.compile(r"^([0-9a-f]+) <(.+)>:$")
INSTRUCTION = re.compile(r"^\s*([0-9a-f]+):\s+(\S.*)$")
DIRECT_TARGET = re.compile(r"^([0-9a-f]+)(?:\s+<[^>]*>)?$")
PREFIXES = {"rep", "repz", "repe", "repnz", "repne", "bnd", "notrack", "ds", "cs"}
RETURNS = {"ret", "retl", "retw"}


class Code:
    """The functions of objdump's listing: sorted starts, names, instructions."""

    def __init__(self, listing):
        functions = []
        for line in listing.splitlines():
            label = LABEL.match(line)
            if label:
                functions.append((int(label.group(1), 16), label.group(2), []))
                continue
            instruction = INSTRUCTION.match(line)
            if instruction and functions:
                words = instruction.group(2).split()
                while len(words) > 1 and words[0] in PREFIXES:
                    words.pop(0)
                functions[-1][2].append(
                    (int(instruction.group(1), 16), words[0], " ".join(words[1:])))
        functions.sort(key=lambda f: f[0])
        self.starts = [f[0] for f in functions]
        self.names = [f[1] for f in functions]
        self.instructions = [f[2] for f in functions]

    def containing(self, address):
        index = bisect.bisect_right(self.starts, address) - 1
        return index if index >= 0 else None

    def end(self, index):
        return self.starts[index + 1] if index + 1 < len(self.starts) else float("inf")

    def reached(self, index):
        """The function and every function its direct jumps leave it for."""
        seen, todo = {index}, [index]
        while todo:
            current = todo.pop()
            for _, mnemonic, operands in self.instructions[current]:
                target = DIRECT_TARGET.match(operands) if mnemonic.startswith("j") else None
                if not target:
                    continue
                address = int(target.group(1), 16)
                if self.starts[current] <= address < self.end(current):
                    continue
                other = self.containing(address)
                if other is not None and other not in seen:
                    seen.add(other)
                    todo.append(other)
        return seen


def judge(dll, objdump):
    """{export names: problems} for each exported address of the DLL."""
    pe = PeFile(open(dll, "rb").read())
    listing = subprocess.run([objdump, "-d", "--no-show-raw-insn", dll],
                             capture_output=True, text=True, check=True).stdout
    code = Code(listing)
    by_address = {}
    for name, rva in pe.exports()[1].items():
        by_address.setdefault(pe.image_base + rva, []).append(name)
    verdicts = {}
    for address, names in sorted(by_address.items()):
        problems = []
        index = code.containing(address)
        if index is None or code.starts[index] != address:
            problems.append("no symbol at 0x%x: the check needs the DLL's symbol table"
                            % address)
        else:
            plain = 0
            for function in sorted(code.reached(index)):
                for at, mnemonic, operands in code.instructions[function]:
                    if mnemonic not in RETURNS:
                        continue
                    if operands:
                        problems.append("`%s %s` at 0x%x in %s: removes its own arguments"
                                        % (mnemonic, operands, at, code.names[function]))
                    else:
                        plain += 1
            if plain == 0 and not problems:
                problems.append("no `ret` found in the code of 0x%x" % address)
        verdicts[", ".join(sorted(names))] = problems
    return verdicts


def check_probe(probe, objdump):
    verdicts = judge(probe, objdump)
    expected = {"probe_cdecl": False, "probe_stdcall": True, "probe_thunk": True}
    problems = []
    for name, flagged in expected.items():
        if name not in verdicts:
            problems.append("probe %s does not export %s (exports: %s)"
                            % (probe, name, ", ".join(sorted(verdicts))))
        elif any("removes its own arguments" in p for p in verdicts[name]) != flagged:
            problems.append("probe export %s %s its arguments, but the check finds %s" % (
                name, "removes" if flagged else "leaves", verdicts[name] or "no fault"))
    return problems


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("dll")
    parser.add_argument("--probe", required=True)
    parser.add_argument("--objdump", default="objdump")
    args = parser.parse_args()
    problems = check_probe(args.probe, args.objdump)
    if problems:
        for problem in problems:
            print("FAIL: " + problem)
        return 1
    verdicts = judge(args.dll, args.objdump)
    for names, found in verdicts.items():
        print("  %s: %s" % (names, "cdecl" if not found else "WRONG"))
        for problem in found:
            print("FAIL: %s: %s" % (names, problem))
    if not verdicts:
        print("FAIL: %s exports nothing" % args.dll)
        return 1
    return 1 if any(verdicts.values()) else 0


if __name__ == "__main__":
    sys.exit(main())
