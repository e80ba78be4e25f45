#!/usr/bin/env python3
"""Writes the seed corpus for fuzz_wave: tiny WAVE files of every layout the decoder meets, and
broken variants. Run from anywhere; the files land beside this script in wave/."""
import math
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "wave")


def tone(frames, channels, rate=8000):
    return [[math.sin(2 * math.pi * 440 * (i / rate) + c) * 0.5 for c in range(channels)] for i in range(frames)]


def pcm16(frames):
    return b"".join(struct.pack("<h", int(s * 32767)) for f in frames for s in f)


def pcm8(frames):
    return bytes(128 + int(s * 127) for f in frames for s in f)


def float32(frames):
    return b"".join(struct.pack("<f", s) for f in frames for s in f)


def chunk(tag, body):
    return tag + struct.pack("<I", len(body)) + body + (b"\0" if len(body) & 1 else b"")


def fmt(tag, channels, rate, bits, extensible=False):
    block = channels * bits // 8
    body = struct.pack("<HHIIHH", 0xFFFE if extensible else tag, channels, rate, rate * block, block, bits)
    if extensible:
        guid = struct.pack("<H", tag) + b"\x00\x00\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71"
        body += struct.pack("<HHI", 22, bits, (1 << channels) - 1) + guid
    return chunk(b"fmt ", body)


def riff(*chunks):
    body = b"WAVE" + b"".join(chunks)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def main():
    os.makedirs(HERE, exist_ok=True)
    mono, stereo = tone(64, 1), tone(48, 2)
    files = {
        "valid-mono16.wav": riff(fmt(1, 1, 8000, 16), chunk(b"data", pcm16(mono))),
        "valid-mono8.wav": riff(fmt(1, 1, 8000, 8), chunk(b"data", pcm8(mono))),
        "valid-stereo16.wav": riff(fmt(1, 2, 22050, 16), chunk(b"data", pcm16(stereo))),
        "valid-float.wav": riff(fmt(3, 1, 44100, 32), chunk(b"fact", struct.pack("<I", 64)),
                                chunk(b"data", float32(mono))),
        "valid-extensible.wav": riff(fmt(1, 2, 44100, 16, extensible=True), chunk(b"data", pcm16(stereo))),
        "valid-list-odd.wav": riff(fmt(1, 1, 8000, 8), chunk(b"LIST", b"INFOISFT\x03\0\0\0ab\0"),
                                   chunk(b"data", pcm8(tone(33, 1)))),
        "bad-three-channels.wav": riff(fmt(1, 3, 8000, 16), chunk(b"data", pcm16(tone(16, 3)))),
        "bad-no-data.wav": riff(fmt(1, 1, 8000, 16)),
        "bad-empty-data.wav": riff(fmt(1, 1, 8000, 16), chunk(b"data", b"")),
        "bad-rate-zero.wav": riff(fmt(1, 1, 0, 16), chunk(b"data", pcm16(mono))),
        "bad-truncated.wav": riff(fmt(1, 1, 8000, 16), chunk(b"data", pcm16(mono)))[:60],
        "bad-huge-data-size.wav": riff(fmt(1, 1, 8000, 16), b"data\xff\xff\xff\x7f" + pcm16(mono)),
        "bad-not-riff.wav": b"RIFX" + riff(fmt(1, 1, 8000, 16), chunk(b"data", pcm16(mono)))[4:],
    }
    for name, data in files.items():
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
