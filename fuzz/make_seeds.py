#!/usr/bin/env python3
"""Writes the fuzzer's seed corpus into fuzz/seeds/: small RIFF files of the shapes the walk
meets, each a few dozen bytes."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def chunk(tag, length, data=b""):
    return tag + struct.pack("<I", length & 0xFFFFFFFF) + data


def riff(rest, form=b"WAVE"):
    return b"RIFF" + struct.pack("<I", len(rest) + 4) + form + rest


def fmt(length=16, tag=1, channels=1, rate=8000, bits=16):
    block = channels * bits // 8
    return b"fmt " + struct.pack("<IhhIIhh", length, tag, channels, rate, rate * block, block, bits)


SEEDS = {
    "worked-example": riff(fmt() + chunk(b"data", 100, bytes(100))),
    "odd-chunk": riff(fmt() + chunk(b"odd ", 3, b"abc") + chunk(b"data", 2, b"zz")),
    "long-format": riff(fmt(length=18) + b"\0\0" + chunk(b"data", 4, b"wxyz")),
    "extensible": riff(fmt(length=40, tag=-2, channels=2) + bytes(24) + chunk(b"data", 8, bytes(8))),
    "negative-length": riff(fmt() + chunk(b"data", 0x80000000) + chunk(b"next", 0)),
    "past-the-end": riff(fmt() + chunk(b"data", 600, bytes(20))),
    "short-tail": riff(fmt() + chunk(b"LIST", 4, b"INFO") + b"JUNKx"),
    "not-riff": b"RIFX" + struct.pack("<I", 28) + b"WAVE" + fmt(),
    "list-for-format": riff(chunk(b"LIST", 16, b"INFOISFT" + bytes(8))),
    "header-only": riff(b""),
}

os.makedirs(os.path.join(HERE, "seeds"), exist_ok=True)
for name, data in SEEDS.items():
    with open(os.path.join(HERE, "seeds", name + ".wav"), "wb") as out:
        out.write(data)
