#!/usr/bin/env python3
"""Writes the BMP corpus of tests/data/bmp: valid pictures (ok_*.bmp) in every
layout the decoder takes, all showing the same pattern, and hostile files
(bad_*.bmp) that the decoder must refuse.  The decoder tests read the folder
and the fuzz target starts from it.

Pattern: pixel (x, y) has colour COLOURS[(x + 3 * y) % n], n = 2 for 1-bit
pictures and 4 for all others; rows counted from the top.
"""
import os
import struct
import sys

COLOURS = [0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF]  # 0xRRGGBB
W, H = 7, 5


def index_at(x, y, n):
    return (x + 3 * y) % n


def file_header(total, offset):
    return b"BM" + struct.pack("<IHHI", total, 0, 0, offset)


def info_header(size, w, h, bits, compression=0, image_size=0, used=0, masks=None):
    hdr = struct.pack("<IiiHHIIiiII", size, w, h, 1, bits, compression, image_size,
                      2835, 2835, used, 0)
    if size > 40:
        m = masks or (0, 0, 0)
        extra = struct.pack("<III", *m)
        if size >= 56:
            extra += struct.pack("<I", 0)
        hdr += extra
        hdr += b"\0" * (size - len(hdr))
    return hdr


def core_header(w, h, bits):
    return struct.pack("<IHHHH", 12, w, h, 1, bits)


def palette(n, entry=4, colours=None):
    out = b""
    for c in (colours or COLOURS)[:n]:
        b, g, r = c & 255, (c >> 8) & 255, (c >> 16) & 255
        out += bytes([b, g, r]) + (b"\0" if entry == 4 else b"")
    return out


def pad(row):
    return row + b"\0" * ((-len(row)) % 4)


def row_bytes(y, bits, w, pixel):
    """One row: `pixel(x, y)` gives an index (bits <= 8) or the packed bytes."""
    if bits <= 8:
        acc, nbits, out = 0, 0, b""
        for x in range(w):
            acc = (acc << bits) | pixel(x, y)
            nbits += bits
            if nbits == 8:
                out += bytes([acc])
                acc, nbits = 0, 0
        if nbits:
            out += bytes([acc << (8 - nbits)])
        return pad(out)
    return pad(b"".join(pixel(x, y) for x in range(w)))


def rows(bits, w, h, pixel, top_down=False):
    order = range(h) if top_down else range(h - 1, -1, -1)
    return b"".join(row_bytes(y, bits, w, pixel) for y in order)


def assemble(header, table, data, offset=None):
    off = 14 + len(header) + len(table) if offset is None else offset
    body = header + table
    gap = b"\0" * (off - 14 - len(body)) if off >= 14 + len(body) else b""
    return file_header(14 + len(body) + len(gap) + len(data), off) + body + gap + data


def rgb(c):
    return (c >> 16) & 255, (c >> 8) & 255, c & 255


def enc16_555(c):
    r, g, b = rgb(c)
    return struct.pack("<H", ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3))


def enc16_565(c):
    r, g, b = rgb(c)
    return struct.pack("<H", ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3))


def enc24(c):
    r, g, b = rgb(c)
    return bytes([b, g, r])


def enc32(c):
    r, g, b = rgb(c)
    return bytes([b, g, r, 0x7F])


def enc32_bf(c):  # masks 0x000000FF red, 0x0000FF00 green, 0x00FF0000 blue
    r, g, b = rgb(c)
    return bytes([r, g, b, 0])


def colour_at(x, y):
    return COLOURS[index_at(x, y, 4)]


def paletted(bits, w=W, h=H, top_down=False, used=0, core=False):
    n = 2 if bits == 1 else 4
    count = used or (1 << bits)
    entry = 3 if core else 4
    pal = palette(min(count, 4), entry) + b"\0" * entry * max(0, count - 4)
    if core:
        hdr = core_header(w, h, bits)
    else:
        hdr = info_header(40, w, -h if top_down else h, bits, used=used)
    return assemble(hdr, pal, rows(bits, w, h, lambda x, y: index_at(x, y, n), top_down))


def rle8(w=W, h=H, with_eob=True):
    data = b""
    for y in range(h - 1, -1, -1):
        idx = [index_at(x, y, 4) for x in range(w)]
        # an absolute run for the first three pixels, then encoded runs
        data += bytes([0, 3]) + bytes(idx[:3]) + b"\0"
        for v in idx[3:]:
            data += bytes([1, v])
        data += b"\0\0"
    if with_eob:
        data += b"\0\1"
    hdr = info_header(40, w, h, 8, compression=1, image_size=len(data), used=4)
    return assemble(hdr, palette(4), data)


def rle4(w=W, h=H):
    data = b""
    for y in range(h - 1, -1, -1):
        idx = [index_at(x, y, 4) for x in range(w)]
        # absolute run of 3 (2 bytes, padded to 2), then encoded pairs
        data += bytes([0, 3, (idx[0] << 4) | idx[1], idx[2] << 4])
        rest = idx[3:]
        i = 0
        while i < len(rest):
            if i + 1 < len(rest):
                data += bytes([2, (rest[i] << 4) | rest[i + 1]])
                i += 2
            else:
                data += bytes([1, rest[i] << 4])
                i += 1
        data += b"\0\0"
    data += b"\0\1"
    hdr = info_header(40, w, h, 4, compression=2, image_size=len(data), used=4)
    return assemble(hdr, palette(4), data)


def direct(bits, enc, size=40, compression=0, masks=None, top_down=False, w=W, h=H,
           masks_after=False):
    hdr = info_header(size, w, -h if top_down else h, bits, compression=compression,
                      masks=masks if size > 40 else None)
    table = struct.pack("<III", *masks) if masks_after else b""
    return assemble(hdr, table, rows(bits, w, h, lambda x, y: enc(colour_at(x, y)), top_down))


def valid():
    m565 = (0xF800, 0x07E0, 0x001F)
    m32 = (0x000000FF, 0x0000FF00, 0x00FF0000)
    files = {
        "ok_core_1": paletted(1, core=True),
        "ok_core_4": paletted(4, core=True),
        "ok_core_8": paletted(8, core=True),
        "ok_core_24": assemble(core_header(W, H, 24), b"",
                               rows(24, W, H, lambda x, y: enc24(colour_at(x, y)))),
        "ok_info_1": paletted(1),
        "ok_info_4": paletted(4),
        "ok_info_8": paletted(8),
        "ok_info_8_used4": paletted(8, used=4),
        "ok_info_8_topdown": paletted(8, top_down=True),
        "ok_info_8_wide": paletted(8, w=33, h=2),
        "ok_info_1_wide": paletted(1, w=35, h=3),
        "ok_info_16": direct(16, enc16_555),
        "ok_info_16_bf565": direct(16, enc16_565, compression=3, masks=m565, masks_after=True),
        "ok_info_24": direct(24, enc24),
        "ok_info_24_topdown": direct(24, enc24, top_down=True),
        "ok_info_24_one": direct(24, enc24, w=1, h=1),
        "ok_info_32": direct(32, enc32),
        "ok_info_32_bf": direct(32, enc32_bf, compression=3, masks=m32, masks_after=True),
        "ok_v52_16_bf565": direct(16, enc16_565, size=52, compression=3, masks=m565),
        "ok_v56_32_bf": direct(32, enc32_bf, size=56, compression=3, masks=m32),
        "ok_v4_16_bf565": direct(16, enc16_565, size=108, compression=3, masks=m565),
        "ok_v5_32_bf": direct(32, enc32_bf, size=124, compression=3, masks=m32),
        "ok_v5_24_topdown": direct(24, enc24, size=124, top_down=True),
        "ok_rle8": rle8(),
        "ok_rle8_no_end_mark": rle8(with_eob=False),
        "ok_rle4": rle4(),
    }
    # The last row's padding may be missing.
    files["ok_info_24_short_pad"] = direct(24, enc24)[:-3]
    return files


def patch(data, offset, fmt, value):
    b = bytearray(data)
    struct.pack_into(fmt, b, offset, value)
    return bytes(b)


def hostile():
    base8 = paletted(8, used=4)
    base24 = direct(24, enc24)
    rle = rle8()
    m565 = (0xF800, 0x07E0, 0x001F)
    bf16 = direct(16, enc16_565, compression=3, masks=m565, masks_after=True)
    files = {
        "bad_empty": b"",
        "bad_short": b"BM\0\0",
        "bad_signature": b"MB" + base24[2:],
        "bad_header_size_41": patch(base24, 14, "<I", 41),
        "bad_header_size_64": patch(base24, 14, "<I", 64),
        "bad_header_cut": base24[:14 + 20],
        "bad_width_zero": patch(base24, 18, "<i", 0),
        "bad_width_negative": patch(base24, 18, "<i", -7),
        "bad_width_32768": patch(base24, 18, "<i", 32768),
        "bad_height_zero": patch(base24, 22, "<i", 0),
        "bad_height_int_min": patch(base24, 22, "<i", -2 ** 31),
        "bad_height_32768": patch(base24, 22, "<i", 32768),
        "bad_area": patch(patch(base24, 18, "<i", 30000), 22, "<i", 30000),
        "bad_planes": patch(base24, 26, "<H", 2),
        "bad_bits_7": patch(base24, 28, "<H", 7),
        "bad_bits_0": patch(base24, 28, "<H", 0),
        "bad_compression_jpeg": patch(base24, 30, "<I", 4),
        "bad_compression_huge": patch(base24, 30, "<I", 0xFFFFFFFF),
        "bad_rle8_on_24_bits": patch(base24, 30, "<I", 1),
        "bad_rle8_top_down": patch(rle, 22, "<i", -H),
        "bad_bitfields_on_24_bits": patch(base24, 30, "<I", 3),
        "bad_masks_overlap": patch(bf16, 54 + 4, "<I", 0x0FE0),
        "bad_mask_gap": patch(bf16, 54 + 8, "<I", 0x0015),
        "bad_mask_zero": patch(bf16, 54, "<I", 0),
        "bad_mask_outside_16_bits": patch(bf16, 54, "<I", 0x1F0000),
        "bad_masks_cut": bf16[:14 + 40 + 6],
        "bad_palette_too_big": patch(base8, 46, "<I", 300),
        "bad_palette_past_end": patch(base8, 46, "<I", 256)[:14 + 40 + 200],
        "bad_offset_past_end": patch(base24, 10, "<I", 0x7FFFFFF0),
        "bad_offset_into_header": patch(base8, 10, "<I", 20),
        "bad_pixels_truncated": base24[:-30],
        "bad_palette_index": base8[:-2] + b"\xC8" + base8[-1:],
        "bad_core_bits_16": patch(paletted(8, core=True), 24, "<H", 16),
        "bad_core_width_zero": patch(paletted(8, core=True), 18, "<H", 0),
    }
    # RLE runs that leave the picture or the data.
    hdr = lambda data, used=4, h=H: info_header(40, W, h, 8, 1, len(data), used)
    def rle_file(data, h=H):
        return assemble(hdr(data, h=h), palette(4), data)
    files["bad_rle8_run_past_row"] = rle_file(bytes([8, 1]) + b"\0\1")
    files["bad_rle8_absolute_past_row"] = rle_file(bytes([0, 8]) + bytes(8) + b"\0\1")
    files["bad_rle8_absolute_past_data"] = rle_file(bytes([0, 200, 1, 1]))
    files["bad_rle8_delta_out"] = rle_file(bytes([0, 2, 200, 0]) + b"\0\1")
    files["bad_rle8_delta_cut"] = rle_file(bytes([0, 2, 1]))
    files["bad_rle8_rows_past_end"] = rle_file(b"\0\0" * (H + 1) + bytes([1, 1]) + b"\0\1")
    files["bad_rle8_index"] = rle_file(bytes([2, 9]) + b"\0\1")
    files["bad_rle8_size_past_end"] = patch(rle, 34, "<I", 100000)
    files["bad_rle4_index"] = assemble(info_header(40, W, H, 4, 2, 4, 4), palette(4),
                                       bytes([2, 0x1F]) + b"\0\1")
    return files


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(__file__), "..", "data", "bmp")
    os.makedirs(out, exist_ok=True)
    for name, data in {**valid(), **hostile()}.items():
        with open(os.path.join(out, name + ".bmp"), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
