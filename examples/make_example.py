#!/usr/bin/env python3
"""Writes example.wav: 50 samples (6.25 ms) of a 440 Hz tone, 8000 Hz, mono, 16-bit PCM.

The layout is the smallest ordinary WAVE file: a RIFF header, a 16-byte format chunk and one
data chunk of 100 bytes, 144 bytes in all. Run it again to remake the file byte for byte:
    python3 examples/make_example.py [output path]
"""
import math
import struct
import sys

RATE = 8000
SAMPLES = 50

samples = b"".join(
    struct.pack("<h", round(12000 * math.sin(2 * math.pi * 440 * n / RATE))) for n in range(SAMPLES)
)
fmt = struct.pack("<4sIhhIIhh", b"fmt ", 16, 1, 1, RATE, RATE * 2, 2, 16)
data = struct.pack("<4sI", b"data", len(samples)) + samples
body = b"WAVE" + fmt + data
wav = struct.pack("<4sI", b"RIFF", len(body)) + body

path = sys.argv[1] if len(sys.argv) > 1 else __file__.rsplit("/", 1)[0] + "/example.wav"
with open(path, "wb") as out:
    out.write(wav)
