#include "os/audio/wave.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "os/path.h"

namespace os::audio {

uint16_t ReadLe16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t ReadLe32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
// Grown, then copied: the plain form of insert.
void AppendBytes(std::vector<uint8_t>& out, const void* bytes, size_t count) {
  if (count == 0) return;
  const size_t at = out.size();
  out.resize(at + count);
  std::memcpy(out.data() + at, bytes, count);
}
void AppendLe16(std::vector<uint8_t>& out, uint32_t v) {
  const uint8_t bytes[2] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
  AppendBytes(out, bytes, 2);
}
void AppendLe32(std::vector<uint8_t>& out, uint32_t v) {
  AppendLe16(out, v & 0xFFFF);
  AppendLe16(out, v >> 16);
}

namespace {

// The 16 fixed bytes that every format starts with.
void AppendBaseFormat(std::vector<uint8_t>& out, const WaveFormat& f) {
  AppendLe16(out, f.format_tag);
  AppendLe16(out, f.channels);
  AppendLe32(out, f.sample_rate);
  AppendLe32(out, f.avg_bytes_per_sec);
  AppendLe16(out, f.block_align);
  AppendLe16(out, f.bits_per_sample);
}
void ReadBaseFormat(const uint8_t* p, WaveFormat* f) {
  f->format_tag = ReadLe16(p);
  f->channels = ReadLe16(p + 2);
  f->sample_rate = ReadLe32(p + 4);
  f->avg_bytes_per_sec = ReadLe32(p + 8);
  f->block_align = ReadLe16(p + 12);
  f->bits_per_sample = ReadLe16(p + 14);
  f->extra.clear();
}

struct Chunk {
  size_t body = 0;  // offset of the chunk's first data byte
  uint32_t size = 0;
};

// Searches chunk `id` among the chunks lying in [begin, end).  A chunk header
// that does not fit, or a chunk other than the wanted one that would run past
// `end`, ends the search.  The found chunk's size may run past `end`; the
// caller decides what that means.
bool FindChunk(std::span<const uint8_t> image, size_t begin, size_t end, const char* id,
               Chunk* out) {
  size_t pos = begin;
  while (pos <= end && end - pos >= 8) {
    const uint8_t* h = image.data() + pos;
    const uint32_t size = ReadLe32(h + 4);
    if (std::memcmp(h, id, 4) == 0) {
      *out = Chunk{pos + 8, size};
      return true;
    }
    const uint64_t next = uint64_t{pos} + 8 + size + (size & 1);  // chunks are word-aligned
    if (next > end) return false;
    pos = static_cast<size_t>(next);
  }
  return false;
}

// The 14 bytes that follow the format code in the sub-format GUID of every
// standard extensible format ({xxxxxxxx-0000-0010-8000-00AA00389B71}).
constexpr uint8_t kSubFormatTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                        0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

std::string Num(uint64_t v) { return std::to_string(v); }

std::string GuidText(const uint8_t* g) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                ReadLe32(g), ReadLe16(g + 4), ReadLe16(g + 6), g[8], g[9], g[10], g[11], g[12],
                g[13], g[14], g[15]);
  return text;
}

SampleType Refuse(std::string* why, std::string reason) {
  if (why) *why = std::move(reason);
  return SampleType::None;
}

// The real format code of a block: an extensible one's sub-format code.
bool RealFormatCode(const WaveFormat& f, uint16_t* code, std::string* why) {
  *code = f.format_tag;
  if (f.format_tag != FormatExtensible) return true;
  if (f.extra.size() < ExtensibleExtraSize) {
    Refuse(why, "an extensible format block with " + Num(f.extra.size()) + " extra bytes, not " +
                    Num(ExtensibleExtraSize));
    return false;
  }
  const uint8_t* guid = f.extra.data() + 6;
  if (std::memcmp(guid + 2, kSubFormatTail, sizeof kSubFormatTail) != 0) {
    Refuse(why, "extensible sub-format " + GuidText(guid));
    return false;
  }
  *code = ReadLe16(guid);
  return true;
}

}  // namespace

WaveFormat PcmFormat(int channels, uint32_t rate, int bits) {
  WaveFormat f;
  f.format_tag = FormatPcm;
  f.channels = static_cast<uint16_t>(channels);
  f.sample_rate = rate;
  f.bits_per_sample = static_cast<uint16_t>(bits);
  f.block_align = static_cast<uint16_t>(channels * (bits / 8));
  f.avg_bytes_per_sec = f.block_align * rate;
  return f;
}

SampleType SampleTypeOf(const WaveFormat& f, std::string* why) {
  uint16_t code = 0;
  if (!RealFormatCode(f, &code, why)) return SampleType::None;
  const char* extensible = f.format_tag == FormatExtensible ? " (extensible)" : "";
  SampleType type = SampleType::None;
  if (code == FormatPcm) {
    switch (f.bits_per_sample) {
      case 8: type = SampleType::U8; break;
      case 16: type = SampleType::S16; break;
      case 24: type = SampleType::S24; break;
      case 32: type = SampleType::S32; break;
      default: break;
    }
  } else if (code == FormatIeeeFloat) {
    if (f.bits_per_sample == 32) type = SampleType::F32;
  } else {
    char text[40];
    std::snprintf(text, sizeof text, "format code 0x%04X%s", code, extensible);
    return Refuse(why, text);
  }
  if (f.channels != 1 && f.channels != 2) return Refuse(why, Num(f.channels) + " channels");
  if (type == SampleType::None) {
    return Refuse(why, Num(f.bits_per_sample) + "-bit " +
                           (code == FormatIeeeFloat ? "float" : "integer") + " samples");
  }
  if (f.format_tag == FormatExtensible) {
    const uint16_t valid = ReadLe16(f.extra.data());
    if (valid > f.bits_per_sample)
      return Refuse(why, Num(valid) + " valid bits in " + Num(f.bits_per_sample) + "-bit samples");
  }
  if (f.sample_rate < 100 || f.sample_rate > 100000)
    return Refuse(why, "a sample rate of " + Num(f.sample_rate) + " Hz, outside 100 to 100000");
  const uint32_t align = f.channels * (f.bits_per_sample / 8u);
  if (f.block_align != align)
    return Refuse(why, "a block align of " + Num(f.block_align) + " bytes, not " + Num(align));
  if (f.avg_bytes_per_sec != align * f.sample_rate) {
    return Refuse(why, Num(f.avg_bytes_per_sec) + " average bytes per second, not " +
                           Num(align * f.sample_rate));
  }
  return type;
}

bool PlayableFormat(const WaveFormat& f) { return SampleTypeOf(f) != SampleType::None; }

WaveFormat PlainFormat(const WaveFormat& f) {
  WaveFormat plain = f;
  plain.format_tag = SampleTypeOf(f) == SampleType::F32 ? FormatIeeeFloat : FormatPcm;
  plain.extra.clear();
  return plain;
}

std::vector<uint8_t> EncodeFormatBlock(const WaveFormat& f) {
  std::vector<uint8_t> out;
  out.reserve(f.BlockSize());
  AppendBaseFormat(out, f);
  AppendLe16(out, static_cast<uint32_t>(f.extra.size()));
  AppendBytes(out, f.extra.data(), f.extra.size());
  return out;
}

bool ParseFormatBlock(std::span<const uint8_t> block, WaveFormat* out) {
  if (block.size() < FormatBlockBaseSize) return false;
  WaveFormat f;
  ReadBaseFormat(block.data(), &f);
  const uint16_t extra = ReadLe16(block.data() + 16);
  if (extra > block.size() - FormatBlockBaseSize) return false;
  f.extra.assign(block.begin() + FormatBlockBaseSize, block.begin() + FormatBlockBaseSize + extra);
  *out = std::move(f);
  return true;
}

bool ParseWave(std::span<const uint8_t> image, WaveFile* out, std::string* why) {
  auto fail = [why](std::string reason) {
    if (why) *why = std::move(reason);
    return false;
  };
  if (image.size() < 12) return fail("too short for a RIFF/WAVE header");
  const uint8_t* p = image.data();
  if (std::memcmp(p, "RIFF", 4) != 0 || std::memcmp(p + 8, "WAVE", 4) != 0)
    return fail("not a RIFF/WAVE file");
  // The RIFF chunk's children end at its own end, or at the image's end when
  // it claims more than there is.
  const uint64_t riff_end = std::min<uint64_t>(uint64_t{8} + ReadLe32(p + 4), image.size());
  const size_t end = static_cast<size_t>(riff_end);
  if (end < 12) return fail("a RIFF chunk too short for its form type");

  Chunk fmt;
  if (!FindChunk(image, 12, end, "fmt ", &fmt)) return fail("no fmt chunk");
  if (fmt.size < 16) return fail("a fmt chunk of " + Num(fmt.size) + " bytes, fewer than 16");
  if (fmt.size > end - fmt.body) return fail("the fmt chunk runs past the file's end");
  WaveFile result;
  ReadBaseFormat(p + fmt.body, &result.format);
  if (result.format.format_tag != FormatPcm && fmt.size >= 18) {
    const uint16_t extra = ReadLe16(p + fmt.body + 16);
    if (extra > fmt.size - 18) {  // the extra bytes must lie in the chunk
      return fail(Num(extra) + " extra format bytes in a fmt chunk of " + Num(fmt.size) + " bytes");
    }
    const uint8_t* e = p + fmt.body + 18;
    result.format.extra.assign(e, e + extra);
  }

  Chunk data;
  if (!FindChunk(image, 12, end, "data", &data)) return fail("no data chunk");
  if (data.size > end - data.body) {  // input ends before the chunk does
    return fail("a data chunk of " + Num(data.size) + " bytes cut short after " +
                Num(end - data.body));
  }
  result.data.assign(p + data.body, p + data.body + data.size);
  *out = std::move(result);
  return true;
}

bool ReadWaveFile(std::string_view path, WaveFile* out, std::string* why) {
  std::vector<uint8_t> image;
  if (!ReadWholeFile(path, &image, ReadWholeFileLimit, why)) return false;
  return ParseWave(image, out, why);
}

bool ParseWaveImage44(std::span<const uint8_t> image, WaveFile* out) {
  if (image.size() < 44) return false;
  WaveFile result;
  ReadBaseFormat(image.data() + 20, &result.format);
  const uint32_t size = ReadLe32(image.data() + 40);
  if (size > image.size() - 44) return false;
  result.data.assign(image.begin() + 44, image.begin() + 44 + size);
  *out = std::move(result);
  return true;
}

std::vector<uint8_t> EncodeWave(const WaveFormat& f, std::span<const uint8_t> data) {
  // Plain PCM has the 16-byte fmt chunk; any other format its whole block.
  const std::vector<uint8_t> block =
      f.format_tag == FormatPcm ? std::vector<uint8_t>() : EncodeFormatBlock(f);
  const uint32_t fmt_size = block.empty() ? 16 : static_cast<uint32_t>(block.size());
  std::vector<uint8_t> out;
  const uint32_t size = static_cast<uint32_t>(data.size());
  out.reserve(28 + fmt_size + data.size() + 2);
  AppendBytes(out, "RIFF", 4);
  AppendLe32(out, 20 + fmt_size + (fmt_size & 1) + size + (size & 1));
  AppendBytes(out, "WAVEfmt ", 8);
  AppendLe32(out, fmt_size);
  if (block.empty()) {
    AppendBaseFormat(out, f);
  } else {
    AppendBytes(out, block.data(), block.size());
    if (fmt_size & 1) out.push_back(0);
  }
  AppendBytes(out, "data", 4);
  AppendLe32(out, size);
  AppendBytes(out, data.data(), data.size());
  if (size & 1) out.push_back(0);
  return out;
}

bool WriteWaveFile(const std::string& path, const WaveFormat& format,
                   std::span<const uint8_t> data) {
  const std::vector<uint8_t> image = EncodeWave(format, data);
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool ok = std::fwrite(image.data(), 1, image.size(), file) == image.size();
  return std::fclose(file) == 0 && ok;
}

}  // namespace os::audio
