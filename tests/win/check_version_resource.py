#!/usr/bin/env python3
"""Reads the version resource of a built DLL from Linux and compares it with
the project's version: the fixed file and product versions and the
FileVersion and ProductVersion strings must all name it."""
import argparse
import struct
import sys

SIGNATURE = struct.pack("<I", 0xFEEF04BD)


def string_value(data: bytes, key: str):
    """The UTF-16 value that follows a String entry's key, or None."""
    needle = (key + "\0").encode("utf-16-le")
    at = data.find(needle)
    if at < 0:
        return None
    at += len(needle)
    at += (4 - at % 4) % 4  # the value starts on a 32-bit boundary
    end = at
    while end + 1 < len(data) and data[end:end + 2] != b"\0\0":
        end += 2
    return data[at:end].decode("utf-16-le")


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("dll")
    parser.add_argument("--version", required=True, help="x.y.z of the project")
    args = parser.parse_args()
    data = open(args.dll, "rb").read()
    parts = [int(p) for p in args.version.split(".")] + [0]
    want = tuple((parts + [0, 0, 0, 0])[:4])
    problems = []

    at = data.find(SIGNATURE)
    if at < 0 or data.find(SIGNATURE, at + 1) >= 0:
        problems.append("no single fixed version block in the file")
    else:
        fields = struct.unpack_from("<IIIIII", data, at + 8)
        file_version = (fields[0] >> 16, fields[0] & 0xFFFF, fields[1] >> 16, fields[1] & 0xFFFF)
        product_version = (fields[2] >> 16, fields[2] & 0xFFFF, fields[3] >> 16, fields[3] & 0xFFFF)
        for name, got in (("FILEVERSION", file_version), ("PRODUCTVERSION", product_version)):
            if got != want:
                problems.append(f"{name} is {got}, the project is {want}")
    text = ".".join(str(p) for p in want)
    for key in ("FileVersion", "ProductVersion"):
        got = string_value(data, key)
        if got != text:
            problems.append(f'string {key} is {got!r}, the project is {text!r}')

    for p in problems:
        print(f"{args.dll}: {p}", file=sys.stderr)
    if not problems:
        print(f"{args.dll}: version {text} everywhere")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
