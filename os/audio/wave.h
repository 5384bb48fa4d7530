// Wave formats and the RIFF/WAVE reader.
//
// A format block is the classic 18-byte little-endian record (format tag,
// channels, sample rate, average bytes per second, block align, bits per
// sample, extra size) followed by its extra bytes; sound packs store it as it
// stands, so the block's byte layout is part of the file formats here.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace os::audio {

// Little-endian fields of RIFF files and packs.
uint16_t ReadLe16(const uint8_t* p);
uint32_t ReadLe32(const uint8_t* p);
void AppendBytes(std::vector<uint8_t>& out, const void* bytes, size_t count);
void AppendLe16(std::vector<uint8_t>& out, uint32_t v);
void AppendLe32(std::vector<uint8_t>& out, uint32_t v);

constexpr uint16_t FormatPcm = 1;
constexpr uint32_t FormatBlockBaseSize = 18;
constexpr uint32_t FormatBlockMaxSize = FormatBlockBaseSize + 0xFFFF;

struct WaveFormat {
  uint16_t format_tag = FormatPcm;
  uint16_t channels = 0;
  uint32_t sample_rate = 0;
  uint32_t avg_bytes_per_sec = 0;
  uint16_t block_align = 0;
  uint16_t bits_per_sample = 0;
  std::vector<uint8_t> extra;  // the extra bytes; the block's extra size is their count

  uint32_t BlockSize() const { return FormatBlockBaseSize + static_cast<uint32_t>(extra.size()); }
};

// A PCM format with every derived field filled in.
WaveFormat PcmFormat(int channels, uint32_t rate, int bits);

// True for what a sound buffer can hold: PCM, 1 or 2 channels, 8 or 16 bits,
// 100..100000 samples per second, block align and average bytes per second
// consistent with those.
bool PlayableFormat(const WaveFormat& format);

// The format block's bytes, and back.  ParseFormatBlock refuses a block
// shorter than 18 bytes or whose extra size runs past the block.
std::vector<uint8_t> EncodeFormatBlock(const WaveFormat& format);
bool ParseFormatBlock(std::span<const uint8_t> block, WaveFormat* out);

struct WaveFile {
  WaveFormat format;
  std::vector<uint8_t> data;  // the "data" chunk's contents
};

// Parses a RIFF/WAVE image: the "fmt " chunk (at least 16 bytes; the extra
// count is read only for non-PCM formats and only when the chunk holds it)
// and the "data" chunk, both searched inside the RIFF chunk.  No chunk is
// read past its own end or past its parent's, and nothing is allocated
// beyond what the image holds.  False (and `out` untouched) on any fault.
bool ParseWave(std::span<const uint8_t> image, WaveFile* out);
bool ReadWaveFile(std::string_view path, WaveFile* out);

// Parses the plain 44-byte-header image that the sound loader accepts from a
// program resource: the format at byte 20 (its extra size taken as 0), the
// data size at byte 40 and the data from byte 44.  Refuses an image shorter
// than the header or whose data size runs past its end.
bool ParseWaveImage44(std::span<const uint8_t> image, WaveFile* out);

// A canonical 44-byte-header WAV image of PCM data (for the capture and for
// the tools and tests that make WAV files).
std::vector<uint8_t> EncodeWave(const WaveFormat& format, std::span<const uint8_t> data);
bool WriteWaveFile(const std::string& path, const WaveFormat& format,
                   std::span<const uint8_t> data);

}  // namespace os::audio
