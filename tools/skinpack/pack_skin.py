#!/usr/bin/env python3
"""Builds the skin pack Resu.rdb from the 30 item images.

    pack_skin.py OUT_FILE ITEM1.png ... ITEM30.png

Layout: the 12-byte header "Skin_res" + 87345504 (32-bit little-endian), the
MD5 digest of the items concatenated (32 lower-case hex digits), then the
items in order; every piece, the last one too, is followed by the separator.
The reader splits at every separator, so a piece must not contain it: such an
input fails the build instead of producing a pack that cannot be read.
"""

import hashlib
import struct
import sys
from pathlib import Path

SEPARATOR = bytes.fromhex("002237D7FE0C00")
HEADER = b"Skin_res" + struct.pack("<I", 87345504)
ITEM_COUNT = 30
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def build_pack(items):
    digest = hashlib.md5(b"".join(items)).hexdigest().encode("ascii")
    pieces = [HEADER, digest] + list(items)
    for number, piece in enumerate(pieces, start=1):
        if SEPARATOR in piece:
            raise ValueError(f"piece {number} contains the separator")
    return b"".join(piece + SEPARATOR for piece in pieces)


def main():
    if len(sys.argv) != 2 + ITEM_COUNT:
        sys.exit(f"usage: pack_skin.py OUT_FILE ITEM1.png ... ITEM{ITEM_COUNT}.png")
    items = [Path(name).read_bytes() for name in sys.argv[2:]]
    for name, data in zip(sys.argv[2:], items):
        if not data.startswith(PNG_SIGNATURE):
            sys.exit(f"{name}: not a PNG image")
    try:
        pack = build_pack(items)
    except ValueError as error:
        sys.exit(str(error))
    Path(sys.argv[1]).write_bytes(pack)


if __name__ == "__main__":
    main()
