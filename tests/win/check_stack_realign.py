#!/usr/bin/env python3
"""Checks that a 32-bit Windows build compiles every C and C++ source with
-mstackrealign.

The host, Windows and COM call into the DLL (entry points, DllMain, thread,
window and dialog procedures, automation calls) with the stack aligned to 4
bytes only, while gcc assumes 16. With -mstackrealign each function that
needs more aligns the stack itself. Reads the build's compile_commands.json;
the sources named with --require must be among the compiles, so that a
missing or partial database does not pass.

usage: check_stack_realign.py compile_commands.json --require SOURCE...
"""

import argparse
import json
import os
import shlex
import sys

SOURCES = (".c", ".cc", ".cpp", ".cxx")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("database")
    parser.add_argument("--require", nargs="+", required=True)
    args = parser.parse_args()
    problems = []
    compiled = set()
    for entry in json.load(open(args.database, encoding="utf-8")):
        source = os.path.normpath(os.path.join(entry["directory"], entry["file"]))
        if not source.endswith(SOURCES):
            continue
        compiled.add(source)
        words = entry.get("arguments") or shlex.split(entry["command"])
        flags = [w for w in words if w in ("-mstackrealign", "-mno-stackrealign")]
        if not flags or flags[-1] != "-mstackrealign":
            problems.append("%s is compiled without -mstackrealign" % source)
    for source in args.require:
        if os.path.normpath(source) not in compiled:
            problems.append("%s is not among the compiles of %s" % (source, args.database))
    for problem in problems[:10]:
        print("FAIL: " + problem)
    if len(problems) > 10:
        print("FAIL: ... and %d more" % (len(problems) - 10))
    if any("without" in p for p in problems):
        print("(a build folder configured before the flag came in keeps its cached "
              "compiler flags: configure it with --fresh)")
    if not problems:
        print("%d sources, all compiled with -mstackrealign" % len(compiled))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
