#!/usr/bin/env python3
"""Writes the seed corpora of the image-pack, sound-pack and MIDI fuzz
targets: tests/data/imagepack, tests/data/soundpack and tests/data/midi.
Valid files (ok_*) and hostile ones (bad_*) that the readers must refuse.
"""
import os
import struct

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")


def write(folder, name, data):
    path = os.path.join(ROOT, folder)
    os.makedirs(path, exist_ok=True)
    with open(os.path.join(path, name), "wb") as f:
        f.write(data)


# ---- image packs: u16 width, u16 height, name, NUL, width x height u16 pixels
def image_entry(w, h, name, pixel=0x7FFF):
    return struct.pack("<HH", w, h) + name + b"\0" + struct.pack("<H", pixel) * (w * h)


write("imagepack", "ok_one.pak", image_entry(2, 2, b"A.BMP"))
write("imagepack", "ok_skips_one.pak", image_entry(3, 1, b"X.BMP", 0x1234) + image_entry(1, 2, b"A.BMP"))
write("imagepack", "ok_both.pak", image_entry(2, 1, b"B.BMP", 0x0421) + image_entry(1, 1, b"A.BMP"))
write("imagepack", "bad_huge_entry.pak", struct.pack("<HH", 32767, 32767) + b"A.BMP\0" + bytes(8))
write("imagepack", "bad_cut_pixels.pak", image_entry(3, 3, b"A.BMP")[:-3])
write("imagepack", "bad_long_name.pak", image_entry(1, 1, b"N" * 200) + image_entry(1, 1, b"A.BMP"))
write("imagepack", "bad_end_in_name.pak", struct.pack("<HH", 1, 1) + b"A.BM")


# ---- sound packs: u32 data size, name, NUL, u32 format size, format, data
def pcm_format(channels, rate, bits, extra=b""):
    align = channels * bits // 8
    tag = 1 if not extra else 2
    return struct.pack("<HHIIHHH", tag, channels, rate, rate * align, align, bits, len(extra)) + extra


def sound_record(name, fmt, data):
    return struct.pack("<I", len(data)) + name + b"\0" + struct.pack("<I", len(fmt)) + fmt + data


tone = bytes((128 + (40 if (i // 4) % 2 else -40)) for i in range(400))
write("soundpack", "ok_one.pak", sound_record(b"A.WAV", pcm_format(1, 8000, 8), tone))
write("soundpack", "ok_after_non_pcm.pak",
      sound_record(b"X.WAV", pcm_format(1, 8000, 8, b"\1\2"), tone[:10]) +
      sound_record(b"A.WAV", pcm_format(2, 11025, 16), bytes(400)))
# Six seconds at 100 bytes a second: long enough to be streamed.
write("soundpack", "ok_stream.pak", sound_record(b"A.WAV", pcm_format(1, 100, 8), tone + tone[:200]))
write("soundpack", "bad_data_past_end.pak",
      struct.pack("<I", 0x7FFFFFFF) + b"A.WAV\0" + struct.pack("<I", 18) + pcm_format(1, 8000, 8))
write("soundpack", "bad_format_size.pak", struct.pack("<I", 4) + b"A.WAV\0" + struct.pack("<I", 0xFFFFFFF0))
write("soundpack", "bad_zero_rate.pak", sound_record(b"A.WAV", pcm_format(1, 0, 8), tone))


# The longer blocks that sound editors write: extensible (22 extra bytes:
# valid bits, channel mask, the sub-format GUID) and plain float.
def extensible_format(channels, rate, bits, code, valid=None, extra_size=22):
    align = channels * bits // 8
    guid = struct.pack("<H", code) + bytes([0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71])
    extra = struct.pack("<HI", bits if valid is None else valid, 3 if channels == 2 else 4) + guid
    return struct.pack("<HHIIHHH", 0xFFFE, channels, rate, rate * align, align, bits, extra_size) + extra


def float_format(channels, rate):
    return struct.pack("<HHIIHHH", 3, channels, rate, rate * channels * 4, channels * 4, 32, 0)


def samples(fmt_char, scale, count):
    return b"".join(struct.pack(fmt_char, scale * (1 if (i // 4) % 2 else -1)) for i in range(count))


tone24 = b"".join(struct.pack("<i", (1 if (i // 4) % 2 else -1) * 3000000)[:3] for i in range(200))
write("soundpack", "ok_extensible24.pak",
      sound_record(b"X.WAV", float_format(1, 8000), samples("<f", 0.3, 10)) +
      sound_record(b"A.WAV", extensible_format(2, 8000, 24, 1), tone24))
# Six seconds of float samples at 100 a second: streamed.
write("soundpack", "ok_float_stream.pak", sound_record(b"A.WAV", float_format(1, 100), samples("<f", 0.5, 600)))
write("soundpack", "ok_extensible_float.pak",
      sound_record(b"A.WAV", extensible_format(2, 8000, 32, 3), samples("<f", 2.0, 200)))
# Six seconds of 24-bit stereo at 100 frames a second and 3 stray bytes of a
# seventh frame: streamed, looping over its whole frames only.
write("soundpack", "ok_stream_stray.pak",
      sound_record(b"A.WAV", pcm_format(2, 100, 24), tone24 * 6 + b"\x7f\x00\x80"))
write("soundpack", "bad_extensible_short.pak",
      sound_record(b"A.WAV", extensible_format(2, 8000, 24, 1, extra_size=10)[:28], tone24))
write("soundpack", "bad_float64.pak",
      sound_record(b"A.WAV", struct.pack("<HHIIHHH", 3, 1, 100, 800, 8, 64, 0), bytes(4800)))

# ---- MIDI: command lines, NUL, the file (FILE stands for its quoted path)
track = bytes([0x00, 0xC0, 0x00, 0x00, 0x90, 0x3C, 0x64, 0x83, 0x60, 0x80, 0x3C, 0x40,
               0x00, 0xFF, 0x2F, 0x00])
smf = b"MThd" + struct.pack(">IHHH", 6, 0, 1, 480) + b"MTrk" + struct.pack(">I", len(track)) + track
write("midi", "ok_loop.txt",
      b"open FILE type sequencer alias midi\nseek midi to start\nplay midi notify\nend\n"
      b"status midi mode\nseek midi to start\nplay midi notify\nstop midi\nclose midi\n\0" + smf)
write("midi", "ok_replay_at_end.txt",
      b"open FILE type sequencer alias midi\nplay midi notify\nend\nplay midi notify\n"
      b"play midi\nclose midi\n\0" + smf)
write("midi", "bad_commands.txt",
      b"open \"FILE type sequencer alias midi\nplay\nstatus midi\nopen FILE type sequencer alias m\n"
      b"open FILE type sequencer alias midi\nSTOP M\nclose m\n\0" + smf)
write("midi", "bad_not_midi.txt", b"open FILE type sequencer alias midi\nplay midi notify\n\0MThd\0\0\0\6")
