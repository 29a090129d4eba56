#!/usr/bin/env python3
"""Saves the X display's root window (or one window) as a PNG: xwd's dump, re-encoded with
the standard library only (no imaging package needed)."""
import struct
import subprocess
import sys
import zlib


def xwd_to_rgb(data):
    header = struct.unpack(">25I", data[:100])
    header_size, _, _, depth, width, height = header[:6]
    bits_per_pixel, bytes_per_line = header[11], header[12]
    byte_order = header[7]
    ncolors = header[19]
    red_mask, green_mask, blue_mask = header[14], header[15], header[16]
    pixels = data[header_size + ncolors * 12:]
    if bits_per_pixel not in (24, 32):
        raise SystemExit(f"unsupported xwd depth {depth}/{bits_per_pixel}")
    step = bits_per_pixel // 8
    endian = "<" if byte_order == 0 else ">"

    def shift(mask):
        s = 0
        while mask and not mask & 1:
            mask >>= 1
            s += 1
        return s

    rs, gs, bs = shift(red_mask), shift(green_mask), shift(blue_mask)
    rows = []
    for y in range(height):
        line = pixels[y * bytes_per_line: y * bytes_per_line + width * step]
        if step == 4:
            values = struct.unpack(f"{endian}{width}I", line)
        else:
            values = [int.from_bytes(line[i:i + 3], "little" if endian == "<" else "big")
                      for i in range(0, width * 3, 3)]
        row = bytearray(b"\x00")
        for v in values:
            row += bytes(((v & red_mask) >> rs, (v & green_mask) >> gs, (v & blue_mask) >> bs))
        rows.append(bytes(row))
    return width, height, b"".join(rows)


def write_png(path, width, height, raw):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 6))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def main():
    """screenshot.py OUT.png [WINDOW-ID]: the whole screen, or one window."""
    out = sys.argv[1]
    target = ["-id", sys.argv[2]] if len(sys.argv) > 2 else ["-root"]
    dump = subprocess.run(["xwd", *target, "-silent"], check=True, capture_output=True).stdout
    width, height, raw = xwd_to_rgb(dump)
    write_png(out, width, height, raw)


if __name__ == "__main__":
    main()
