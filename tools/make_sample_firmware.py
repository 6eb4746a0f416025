#!/usr/bin/env python3
"""Writes resources/QZ1769_m.sample.dat, the firmware image built in when no
real one is given.

    python3 tools/make_sample_firmware.py

The image has the size of a real one. It opens with a plain-text marker so
that nobody mistakes it for firmware, followed by a NUL; the rest is filler
from a fixed-seed xorshift32 generator, so that a copy with any byte wrong,
missing or doubled can be told from the original. The generator is spelt out
here rather than taken from the random module, whose algorithm may change
between Python versions; the output must stay the same byte for byte.

Filler: state starts at SEED; for every four bytes the state is advanced
(x ^= x << 13; x ^= x >> 17; x ^= x << 5, all in 32 bits) and then written
little-endian. The last group is cut off at the image size.
"""

import os
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "resources", "QZ1769_m.sample.dat")

SIZE = 478952
MARKER = b"QZ1769 SAMPLE FIRMWARE IMAGE - NOT A REAL FIRMWARE - DO NOT FLASH\r\n\0"
SEED = 0x1769C0DE


def filler(count):
    x = SEED
    out = bytearray()
    for _ in range((count + 3) // 4):
        x ^= (x << 13) & 0xFFFFFFFF
        x ^= x >> 17
        x ^= (x << 5) & 0xFFFFFFFF
        out += struct.pack("<I", x)
    return bytes(out[:count])


def main():
    data = MARKER + filler(SIZE - len(MARKER))
    assert len(data) == SIZE
    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    with open(OUT, "wb") as f:
        f.write(data)
    print(f"{OUT}: {len(data)} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
