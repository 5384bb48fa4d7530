#include "os/bmp.h"

#include <bit>
#include <cstdio>
#include <cstring>

#include "os/path.h"

namespace os {
namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// One colour channel described by a bit mask.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;
  bool Init(uint32_t m) {
    if (m == 0) return false;
    shift = std::countr_zero(m);
    max = m >> shift;
    if ((max & (max + 1)) != 0) return false;  // not one run of bits
    mask = m;
    return true;
  }
  // The channel's value scaled to 8 bits.
  uint32_t Get(uint32_t v) const {
    uint32_t c = (v & mask) >> shift;
    if (max == 255) return c;
    if (max > 255) return c >> (std::bit_width(max) - 8);
    return (c * 255 + max / 2) / max;
  }
};

struct Decoder {
  Decoder(const uint8_t* d, size_t n) : data(d), size(n) {}
  const uint8_t* data;
  size_t size;
  const char* why = nullptr;

  // From the headers.
  uint32_t header_size = 0;   // 12 for the core header, 40 and up for the info headers
  uint32_t off_bits = 0;      // where the pixel data starts; 0: right after the palette
  uint32_t image_size = 0;    // bytes of RLE data; 0: up to the end of the file
  uint32_t colours_used = 0;  // palette entries; 0: as many as the bit count allows
  int width = 0, height = 0;
  bool top_down = false;
  int bits = 0;
  uint32_t compression = kRgb;

  uint64_t tables_end = 0;  // the first byte after the headers, masks and palette read
  uint32_t palette[256] = {};
  uint32_t palette_count = 0;
  Channel red, green, blue;

  bool Fail(const char* reason) {
    why = reason;
    return false;
  }

  bool CheckPalette(uint32_t index) const { return index < palette_count; }

  bool Run(Bitmap* out);
  bool ReadHeader();
  bool CheckCompression();
  bool ReadMasks();
  bool ReadPalette();
  bool DecodeRows(const uint8_t* pixels, size_t available, std::vector<uint32_t>& dst);
  bool DecodeRle(const uint8_t* pixels, size_t available, std::vector<uint32_t>& dst);
  size_t OutIndex(int64_t file_row, int64_t x) const {
    int64_t row = top_down ? file_row : height - 1 - file_row;
    return static_cast<size_t>(row * width + x);
  }
};

// Reads the headers, the masks and the palette in file order, then finds the
// pixel data and hands it to the rows' decoder.
bool Decoder::Run(Bitmap* out) {
  if (!ReadHeader() || !CheckCompression() || !ReadMasks() || !ReadPalette()) return false;

  const uint64_t pixels_at = off_bits == 0 ? tables_end : off_bits;
  if (pixels_at < tables_end || pixels_at > size) return Fail("pixel data offset");
  const uint8_t* pixels = data + pixels_at;
  size_t available = static_cast<size_t>(size - pixels_at);

  std::vector<uint32_t> dst(static_cast<size_t>(width) * static_cast<size_t>(height),
                            bits <= 8 ? palette[0] : 0);
  bool ok;
  if (compression == kRle8 || compression == kRle4) {
    if (image_size != 0) {
      if (image_size > available) return Fail("RLE size past the end of the file");
      available = image_size;
    }
    ok = DecodeRle(pixels, available, dst);
  } else {
    ok = DecodeRows(pixels, available, dst);
  }
  if (!ok) return false;
  out->width = width;
  out->height = height;
  out->pixels = std::move(dst);
  return true;
}

// The file header and the core or info header: the signature, the header's
// size, and the fields the decoder uses, each checked; the picture's side
// and area are held to BmpMaxSide and BmpMaxPixels.
bool Decoder::ReadHeader() {
  if (size < 14 + 4) return Fail("file too short");
  if (data[0] != 'B' || data[1] != 'M') return Fail("not a BMP signature");
  off_bits = U32(data + 10);
  header_size = U32(data + 14);
  if (header_size != 12 && header_size != 40 && header_size != 52 && header_size != 56 &&
      header_size != 108 && header_size != 124)
    return Fail("unknown header size");
  if (uint64_t{14} + header_size > size) return Fail("header past the end of the file");
  tables_end = 14 + uint64_t{header_size};  // masks or palette follow the header
  const uint8_t* h = data + 14;

  uint32_t planes = 0;
  int64_t w = 0, hgt = 0;
  if (header_size == 12) {
    w = U16(h + 4);
    hgt = U16(h + 6);
    planes = U16(h + 8);
    bits = U16(h + 10);
    compression = kRgb;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24) return Fail("bit count");
  } else {
    w = static_cast<int32_t>(U32(h + 4));
    hgt = static_cast<int32_t>(U32(h + 8));
    planes = U16(h + 12);
    bits = U16(h + 14);
    compression = U32(h + 16);
    image_size = U32(h + 20);
    colours_used = U32(h + 32);
  }
  if (planes != 1) return Fail("planes");
  if (w <= 0 || w > BmpMaxSide) return Fail("width");
  if (hgt < 0) {
    top_down = true;
    hgt = -hgt;  // int64: no overflow even for INT32_MIN
  }
  if (hgt == 0 || hgt > BmpMaxSide) return Fail("height");
  if (w * hgt > BmpMaxPixels) return Fail("too many pixels");
  width = static_cast<int>(w);
  height = static_cast<int>(hgt);
  return true;
}

// The compression against the bit count and the row order: only the pairs
// the row decoders take pass.
bool Decoder::CheckCompression() {
  switch (compression) {
    case kRgb:
      if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return Fail("bit count");
      return true;
    case kRle8:
      if (bits != 8 || top_down) return Fail("RLE8 needs 8 bits, bottom-up");
      return true;
    case kRle4:
      if (bits != 4 || top_down) return Fail("RLE4 needs 4 bits, bottom-up");
      return true;
    case kBitFields:
      if (bits != 16 && bits != 32) return Fail("bit fields need 16 or 32 bits");
      return true;
    default:
      return Fail("compression");
  }
}

// The channel masks of 16- and 32-bit pixels.  Bit fields come after a
// 40-byte header and inside the larger ones; they must lie inside the pixel,
// not overlap, and each be one run of bits.  Without them the channels are
// 5-5-5 (16 bits) or 8-8-8 (32 bits).
bool Decoder::ReadMasks() {
  if (compression == kBitFields) {
    const uint8_t* m;
    if (header_size == 40) {
      if (tables_end + 12 > size) return Fail("bit fields past the end of the file");
      m = data + tables_end;
      tables_end += 12;
    } else {
      m = data + 14 + 40;  // inside the larger headers
    }
    uint32_t rm = U32(m), gm = U32(m + 4), bm = U32(m + 8);
    uint32_t limit = bits == 16 ? 0xFFFFu : 0xFFFFFFFFu;
    if ((rm | gm | bm) & ~limit) return Fail("mask outside the pixel");
    if ((rm & gm) || (rm & bm) || (gm & bm)) return Fail("overlapping masks");
    if (!red.Init(rm) || !green.Init(gm) || !blue.Init(bm)) return Fail("mask");
  } else if (bits == 16) {
    red.Init(0x7C00);
    green.Init(0x03E0);
    blue.Init(0x001F);
  } else if (bits == 32) {
    red.Init(0xFF0000);
    green.Init(0xFF00);
    blue.Init(0xFF);
  }
  return true;
}

// The palette of 1-, 4- and 8-bit pictures: 3-byte entries after the core
// header, 4-byte ones after the info headers, no more than the bit count can
// index.  Deeper pictures have none; their colour count is still checked.
bool Decoder::ReadPalette() {
  if (bits > 8) {
    if (colours_used > (1u << 16)) return Fail("colour count");
    return true;
  }
  const size_t entry_bytes = header_size == 12 ? 3 : 4;
  const uint32_t max_entries = 1u << bits;
  palette_count = colours_used == 0 ? max_entries : colours_used;
  if (palette_count > max_entries) return Fail("palette larger than the bit count allows");
  const uint64_t bytes = uint64_t{palette_count} * entry_bytes;
  if (tables_end + bytes > size) return Fail("palette past the end of the file");
  for (uint32_t i = 0; i < palette_count; ++i) {
    const uint8_t* e = data + tables_end + uint64_t{i} * entry_bytes;
    palette[i] = (uint32_t{e[2]} << 16) | (uint32_t{e[1]} << 8) | e[0];
  }
  tables_end += bytes;
  return true;
}

bool Decoder::DecodeRows(const uint8_t* pixels, size_t available, std::vector<uint32_t>& dst) {
  const uint64_t row_bits = uint64_t(width) * uint64_t(bits);
  const uint64_t stride = (row_bits + 31) / 32 * 4;
  const uint64_t last_row = (row_bits + 7) / 8;  // the final row's padding may be missing
  if (stride * uint64_t(height - 1) + last_row > available)
    return Fail("pixel data past the end of the file");
  for (int64_t r = 0; r < height; ++r) {
    const uint8_t* row = pixels + stride * uint64_t(r);
    uint32_t* out = dst.data() + OutIndex(r, 0);
    for (int64_t x = 0; x < width; ++x) {
      uint32_t v;
      switch (bits) {
        case 1:
        case 4:
        case 8: {
          uint64_t bit = uint64_t(x) * uint64_t(bits);
          uint32_t byte = row[bit / 8];
          uint32_t index = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
          if (!CheckPalette(index)) return Fail("palette index out of range");
          v = palette[index];
          break;
        }
        case 16:
          v = U16(row + x * 2);
          v = (red.Get(v) << 16) | (green.Get(v) << 8) | blue.Get(v);
          break;
        case 24: {
          const uint8_t* p = row + x * 3;
          v = (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
          break;
        }
        default:
          v = U32(row + x * 4);
          v = (red.Get(v) << 16) | (green.Get(v) << 8) | blue.Get(v);
          break;
      }
      out[x] = v;
    }
  }
  return true;
}

// RLE8 and RLE4.  Every run is checked against the row and the picture;
// a run that would leave it refuses the file.  Input that ends without an
// end-of-picture mark keeps what was decoded (undrawn pixels are palette
// entry 0).
bool Decoder::DecodeRle(const uint8_t* in, size_t n, std::vector<uint32_t>& dst) {
  const bool four = compression == kRle4;
  int64_t x = 0, y = 0;  // y counts file rows (from the bottom)
  size_t pos = 0;
  auto put = [&](uint32_t index) -> bool {
    if (!CheckPalette(index)) return Fail("palette index out of range");
    dst[OutIndex(y, x)] = palette[index];
    ++x;
    return true;
  };
  while (pos + 2 <= n) {
    const uint32_t count = in[pos], value = in[pos + 1];
    pos += 2;
    if (count > 0) {  // encoded run
      if (y >= height || x + count > width) return Fail("RLE run leaves the picture");
      for (uint32_t i = 0; i < count; ++i) {
        uint32_t index = four ? ((i & 1) ? (value & 15) : (value >> 4)) : value;
        if (!put(index)) return false;
      }
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
      if (y > height) return Fail("RLE past the last row");
    } else if (value == 1) {  // end of picture
      return true;
    } else if (value == 2) {  // delta
      if (pos + 2 > n) return Fail("RLE delta past the end of the data");
      x += in[pos];
      y += in[pos + 1];
      pos += 2;
      if (x > width || y > height) return Fail("RLE delta leaves the picture");
    } else {  // absolute run of `value` pixels
      size_t bytes = four ? (value + 1) / 2 : value;
      if (pos + bytes > n) return Fail("RLE run past the end of the data");
      if (y >= height || x + value > width) return Fail("RLE run leaves the picture");
      for (uint32_t i = 0; i < value; ++i) {
        uint32_t index = four ? ((i & 1) ? (in[pos + i / 2] & 15) : (in[pos + i / 2] >> 4))
                              : in[pos + i];
        if (!put(index)) return false;
      }
      pos += bytes + (bytes & 1);  // runs are padded to whole words
    }
  }
  return true;
}

}  // namespace

bool DecodeBmp(const uint8_t* data, size_t size, Bitmap* out, const char** why) {
  *out = Bitmap();
  if (data == nullptr) size = 0;
  Decoder d(data, size);
  bool ok = d.Run(out);
  if (!ok) *out = Bitmap();
  if (why) *why = ok ? nullptr : d.why;
  return ok;
}

bool LoadBmpFile(std::string_view path, Bitmap* out, std::string* why) {
  *out = Bitmap();
  auto fail = [&](std::string reason) {
    if (why) *why = std::move(reason);
    return false;
  };
  std::string reason;
  FILE* f = OpenFile(path, "rb", &reason);
  if (!f) return fail(reason);
  std::vector<uint8_t> bytes;
  bool ok = std::fseek(f, 0, SEEK_END) == 0;
  long length = ok ? std::ftell(f) : -1;
  if (length < 0 || length > BmpMaxFileBytes || std::fseek(f, 0, SEEK_SET) != 0) {
    std::fclose(f);
    return fail(length > BmpMaxFileBytes ? "file too large" : "cannot read the file");
  }
  bytes.resize(static_cast<size_t>(length));
  size_t got = length > 0 ? std::fread(bytes.data(), 1, bytes.size(), f) : 0;
  std::fclose(f);
  if (got != bytes.size()) return fail("short read");
  const char* decode_why = nullptr;
  if (DecodeBmp(bytes.data(), bytes.size(), out, &decode_why)) return true;
  return fail(decode_why);
}

}  // namespace os
