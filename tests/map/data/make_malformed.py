#!/usr/bin/env python3
"""Writes the corpus of damaged map files (tests/map/data/malformed/).

Every file must be refused by the reader with a message; the map tests load
each one, and the fuzz target starts from them. Run from this folder."""
import os
import struct

MAGIC = b"PMVR"
COSTS = bytes(3072)


def header(version=3, stamp=0, width=2, height=1, pw=0, ph=0, pc=0, bits=16, kind=0, offset=44):
    return MAGIC + struct.pack("<10i", offset, version, stamp, width, height, pw, ph, pc, bits, kind)


def alba(**fields):
    """The two-cell example map, with header fields replaced."""
    return header(**fields) + struct.pack("<HH", 100, 110) + struct.pack("<i", 1) + struct.pack("<4i", 1, 0, 1, 7) + COSTS + b"Alba\r\n"


good = alba()
cells_end = 44 + 4
count_end = cells_end + 4
records_end = count_end + 16
costs_end = records_end + 3072

files = {
    "empty.vr": b"",
    "three-bytes.vr": b"PMV",
    "truncated-header.vr": good[:30],
    "truncated-cells.vr": good[:46],
    "truncated-element-count.vr": good[:cells_end + 2],
    "truncated-element-record.vr": good[:count_end + 10],
    "truncated-cost-tables.vr": good[:records_end + 1000],
    "missing-name-line.vr": good[:costs_end],
    "negative-width.vr": alba(width=-2),
    "negative-height.vr": alba(height=-1),
    "huge-width.vr": alba(width=0x7FFFFFFF),
    "huge-height.vr": alba(height=4097),
    "version1-huge-height.vr": alba(version=1, height=100000),
    "negative-bits-per-cell.vr": alba(bits=-8),
    "huge-bits-per-cell.vr": alba(bits=0x7FFFFFF8),
    "negative-data-offset.vr": alba(offset=-44),
    "data-offset-past-end.vr": alba(offset=0x10000000),
    "negative-province-count.vr": alba(pc=-1),
    "negative-province-width.vr": alba(pw=-20, ph=13),
    "huge-province-count.vr": alba(pc=0x7FFFFFFF),
    "negative-element-count.vr": header() + struct.pack("<HH", 100, 110) + struct.pack("<i", -1) + COSTS,
    "huge-element-count.vr": header() + struct.pack("<HH", 100, 110) + struct.pack("<i", 0x7FFFFFFF) + COSTS,
    "element-count-beyond-records.vr": header() + struct.pack("<HH", 100, 110) + struct.pack("<i", 1000) + COSTS,
    "headerless-too-short.vr": bytes(range(256)) * 10,
    "largest-map-without-its-cells.vr": header(width=4096, height=4096) + bytes(64),
    "zero-byte-hides-names.vr": good[:costs_end] + b"\0Alba\r\n",
}

os.makedirs("malformed", exist_ok=True)
for name, data in files.items():
    with open(os.path.join("malformed", name), "wb") as out:
        out.write(data)
