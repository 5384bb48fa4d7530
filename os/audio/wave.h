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
constexpr uint16_t FormatIeeeFloat = 3;
// The longer block that sound editors write: the same samples, with 22 extra
// bytes (valid bits, channel mask, a 16-byte sub-format GUID whose first two
// bytes are the real format code).
constexpr uint16_t FormatExtensible = 0xFFFE;
constexpr uint32_t ExtensibleExtraSize = 22;
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

// How a sound buffer holds its samples: unsigned 8-bit, signed 16-, 24- or
// 32-bit integers, or 32-bit floats, little-endian, channels interleaved.
enum class SampleType { None, U8, S16, S24, S32, F32 };

// The sample type of what a sound buffer can hold: PCM of 8, 16, 24 or 32
// bits or 32-bit IEEE float, plain or extensible (an extensible block needs
// its 22 extra bytes, the standard sub-format GUID of code 1 or 3 and no more
// valid bits than the container has; 0 valid bits means all of them), 1 or
// 2 channels, 100..100000 samples per second, block align and average bytes
// per second consistent with those.  Anything else is None, and `why` then
// says what is wrong in a few English words ("3 channels", "64-bit float
// samples", "format code 0x0002").
SampleType SampleTypeOf(const WaveFormat& format, std::string* why = nullptr);
bool PlayableFormat(const WaveFormat& format);  // SampleTypeOf is not None
// The plain block of a playable format: an extensible one under its
// sub-format's own code, without extra bytes.
WaveFormat PlainFormat(const WaveFormat& format);

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
// beyond what the image holds.  False (and `out` untouched) on any fault,
// with `why` saying what it is ("no data chunk"); ReadWaveFile gives
// os::OpenFile's reason for a file it cannot read ("it is a FIFO", "No such
// file or directory").
bool ParseWave(std::span<const uint8_t> image, WaveFile* out, std::string* why = nullptr);
bool ReadWaveFile(std::string_view path, WaveFile* out, std::string* why = nullptr);

// Parses the plain 44-byte-header image that the sound loader accepts from a
// program resource: the format at byte 20 (its extra size taken as 0), the
// data size at byte 40 and the data from byte 44.  Refuses an image shorter
// than the header or whose data size runs past its end.
bool ParseWaveImage44(std::span<const uint8_t> image, WaveFile* out);

// A canonical WAV image: the 44-byte header for plain PCM data, a fmt chunk
// holding the whole format block for any other format (for the capture and
// for the tools and tests that make WAV files).
std::vector<uint8_t> EncodeWave(const WaveFormat& format, std::span<const uint8_t> data);
bool WriteWaveFile(const std::string& path, const WaveFormat& format,
                   std::span<const uint8_t> data);

}  // namespace os::audio
