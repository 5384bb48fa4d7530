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

bool PlayableFormat(const WaveFormat& f) {
  if (f.format_tag != FormatPcm) return false;
  if (f.channels != 1 && f.channels != 2) return false;
  if (f.bits_per_sample != 8 && f.bits_per_sample != 16) return false;
  if (f.sample_rate < 100 || f.sample_rate > 100000) return false;
  if (f.block_align != f.channels * (f.bits_per_sample / 8)) return false;
  return f.avg_bytes_per_sec == uint32_t{f.block_align} * f.sample_rate;
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

bool ParseWave(std::span<const uint8_t> image, WaveFile* out) {
  if (image.size() < 12) return false;
  const uint8_t* p = image.data();
  if (std::memcmp(p, "RIFF", 4) != 0 || std::memcmp(p + 8, "WAVE", 4) != 0) return false;
  // The RIFF chunk's children end at its own end, or at the image's end when
  // it claims more than there is.
  const uint64_t riff_end = std::min<uint64_t>(uint64_t{8} + ReadLe32(p + 4), image.size());
  const size_t end = static_cast<size_t>(riff_end);
  if (end < 12) return false;

  Chunk fmt;
  if (!FindChunk(image, 12, end, "fmt ", &fmt)) return false;
  if (fmt.size < 16 || fmt.size > end - fmt.body) return false;
  WaveFile result;
  ReadBaseFormat(p + fmt.body, &result.format);
  if (result.format.format_tag != FormatPcm && fmt.size >= 18) {
    const uint16_t extra = ReadLe16(p + fmt.body + 16);
    if (extra > fmt.size - 18) return false;  // the extra bytes must lie in the chunk
    const uint8_t* e = p + fmt.body + 18;
    result.format.extra.assign(e, e + extra);
  }

  Chunk data;
  if (!FindChunk(image, 12, end, "data", &data)) return false;
  if (data.size > end - data.body) return false;  // input ends before the chunk does
  result.data.assign(p + data.body, p + data.body + data.size);
  *out = std::move(result);
  return true;
}

bool ReadWaveFile(std::string_view path, WaveFile* out) {
  std::vector<uint8_t> image;
  if (!ReadWholeFile(path, &image)) return false;
  return ParseWave(image, out);
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
  std::vector<uint8_t> out;
  out.reserve(44 + data.size());
  const uint32_t size = static_cast<uint32_t>(data.size());
  AppendBytes(out, "RIFF", 4);
  AppendLe32(out, 36 + size + (size & 1));
  AppendBytes(out, "WAVEfmt ", 8);
  AppendLe32(out, 16);
  AppendBaseFormat(out, f);
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
