#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "el/sound/elSound.h"
#include "el/sound/sound_internal.h"
#include "el/system/elSystem.h"
#include "os/audio/audio.h"
#include "os/path.h"
#include "os/sjis.h"

std::string SoundPackPath;

namespace elSound {

using namespace internal;
using os::audio::Buffer;
using os::audio::MainMixer;

namespace {

constexpr size_t kMaxRecordName = 127;

bool ReadU32(FILE* file, uint32_t* out) {
  uint8_t bytes[4];
  if (std::fread(bytes, 1, 4, file) != 4) return false;
  *out = os::audio::ReadLe32(bytes);
  return true;
}


// Reads `size` bytes; what the file does not hold stays 0.
std::vector<uint8_t> ReadPadded(FILE* file, uint32_t size) {
  std::vector<uint8_t> bytes(size, 0);
  if (size) {
    const size_t got = std::fread(bytes.data(), 1, size, file);
    (void)got;
  }
  return bytes;
}

// An open pack file; closed on every path.
class PackFile {
 public:
  explicit PackFile(const std::string& path) {
    why_ = "no sound pack has been set";
    file_ = path.empty() ? nullptr : os::OpenFile(path, "rb", &why_);
    if (!file_) return;
    if (std::fseek(file_, 0, SEEK_END) == 0) size_ = std::ftell(file_);
    if (size_ < 0 || std::fseek(file_, 0, SEEK_SET) != 0) {
      why_ = "its size cannot be told";
      Close();
    }
  }
  ~PackFile() { Close(); }
  PackFile(const PackFile&) = delete;
  PackFile& operator=(const PackFile&) = delete;

  void Close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
  }
  FILE* get() const { return file_; }
  int64_t size() const { return size_; }
  int64_t Tell() const { return std::ftell(file_); }
  int64_t Left() const { return size_ - Tell(); }
  const std::string& why() const { return why_; }  // why it did not open

 private:
  FILE* file_ = nullptr;
  int64_t size_ = -1;
  std::string why_;
};

struct Record {
  uint32_t data_size = 0;
  os::audio::WaveFormat format;
};

enum class Lookup { Found, NoPack, NoRecord };

// Searches the pack for `name` (upper-cased) and reads the record's format
// block.  On success the file stands at the record's first data byte.  A name
// past 127 characters or the file's end, a skip past the file's end, a
// format size outside 18..18+65535, a format that does not fit its block,
// 0 average bytes per second or data running past the file's end all end
// the search without a match; `why` then says which.
Lookup FindRecord(PackFile& pack, const char* name, Record* out, std::string* why) {
  if (!pack.get()) {
    *why = pack.why();
    return Lookup::NoPack;
  }
  std::string wanted = name ? name : "";
  os::SjisUpperCase(wanted);
  FILE* f = pack.get();
  auto refuse = [why](std::string reason) {
    *why = std::move(reason);
    return Lookup::NoRecord;
  };
  int64_t record_start = 0;
  while (!std::feof(f)) {
    record_start = pack.Tell();
    uint32_t data_size = 0, format_size = 0;
    if (!ReadU32(f, &data_size)) break;
    std::string record_name;
    bool terminated = false;
    for (int c; (c = std::fgetc(f)) != EOF;) {
      if (c == 0) {
        terminated = true;
        break;
      }
      if (record_name.size() == kMaxRecordName) break;
      record_name.push_back(static_cast<char>(c));
    }
    if (!terminated) break;
    if (!ReadU32(f, &format_size)) break;
    if (record_name == wanted) {
      if (format_size < os::audio::FormatBlockBaseSize ||
          format_size > os::audio::FormatBlockMaxSize) {
        return refuse("a format block of " + std::to_string(format_size) + " bytes");
      }
      if (format_size > pack.Left()) return refuse("its format block runs past the pack's end");
      std::vector<uint8_t> block(format_size);
      if (std::fread(block.data(), 1, format_size, f) != format_size)
        return refuse("its format block cannot be read");
      Record record;
      record.data_size = data_size;
      if (!os::audio::ParseFormatBlock(block, &record.format))
        return refuse("its format's extra size runs past its format block");
      if (record.format.avg_bytes_per_sec == 0) return refuse("0 average bytes per second");
      if (int64_t{data_size} > pack.Left()) {
        return refuse(std::to_string(data_size) + " bytes of data running past the pack's end");
      }
      *out = std::move(record);
      return Lookup::Found;
    }
    const int64_t next = pack.Tell() + int64_t{data_size} + int64_t{format_size};
    if (next > pack.size() || std::fseek(f, static_cast<long>(next), SEEK_SET) != 0) break;
  }
  if (record_start < pack.size()) {
    return refuse("no such record before the one cut short at byte " +
                  std::to_string(record_start));
  }
  return refuse("no such record");
}

// Where a pack sound comes from, for the log: the pack and the entry.
std::string PackSource(const std::string& pack_path, const char* name) {
  std::string entry = name ? name : "";
  os::SjisUpperCase(entry);
  return os::ResolvePath(pack_path) + ", entry " + entry;
}

bool ReportLookup(const char* function, Lookup lookup, const std::string& pack_path,
                  const char* name, const std::string& why) {
  if (lookup == Lookup::Found) return true;
  if (lookup == Lookup::NoPack) {
    elSystem::ErrorBox(function, kMsgNoPack, 0,
                       pack_path.empty() ? why : os::ResolvePath(pack_path) + ": " + why);
  } else {
    elSystem::ErrorBox(function, kMsgNoRecord, 0, PackSource(pack_path, name) + ": " + why);
  }
  return false;
}

// Opens a stream's pack at `position`; reports and gives nullptr on failure.
FILE* OpenStreamAt(const char* function, const StreamState& s, uint32_t position) {
  std::string why = "no sound pack has been set";
  FILE* f = s.PackPath.empty() ? nullptr : os::OpenFile(s.PackPath, "rb", &why);
  if (!f) {
    elSystem::ErrorBox(function, kMsgNoPack, 0, os::ResolvePath(s.PackPath) + ": " + why);
    return nullptr;
  }
  if (std::fseek(f, static_cast<long>(position), SEEK_SET) != 0) {
    std::fclose(f);
    elSystem::ErrorBox(
        function, kMsgCannotStream, 0,
        os::ResolvePath(s.PackPath) + ": cannot seek to byte " + std::to_string(position));
    return nullptr;
  }
  return f;
}

}  // namespace

void SetPackFile(const char* name) { SoundPackPath = elSystem::GetExePath(0) + (name ? name : ""); }

int32_t LoadPack(const char* name, int32_t mix_count) {
  static constexpr const char* kFunction = "elSound::LoadPack";
  if (!SoundAvailable) return -1;
  const int32_t slot = TakeEntry(kFunction, name, mix_count, kMsgFileNameTooLong);
  if (slot < 0) return -1;
  // A reload reads the pack the sound came from.
  const std::string pack_path =
      SoundReloading && !SoundBufferTable[slot].Stream.PackPath.empty()
          ? SoundBufferTable[slot].Stream.PackPath
          : SoundPackPath;
  PackFile pack(pack_path);
  Record record;
  std::string why;
  if (!ReportLookup(kFunction, FindRecord(pack, name, &record, &why), pack_path, name, why))
    return -1;
  const std::vector<uint8_t> data = ReadPadded(pack.get(), record.data_size);
  pack.Close();
  const int32_t result = FillEntry(kFunction, slot, record.format, data.data(), record.data_size,
                                   mix_count, 1, name, PackSource(pack_path, name));
  if (result >= 0) SoundBufferTable[slot].Stream.PackPath = pack_path;
  return result;
}

int32_t LoadFolder(const char* pack_name, const char* folder, int32_t delete_first) {
  const std::string base = elSystem::GetExePath(0);
  if (delete_first) std::remove(os::ResolvePath(base + (pack_name ? pack_name : "")).c_str());
  const std::string dir = folder ? folder : "";
  for (const std::string& file : os::ListFolder(base + dir, "*.WAV")) {
    std::string entry = dir.empty() ? file : dir + "\\" + file;
    os::SjisUpperCase(entry);
    LoadFolderFile(pack_name, entry.c_str());
  }
  return 1;
}

void LoadFolderFile(const char* pack_name, const char* entry) {
  if (!entry) return;
  const std::string base = elSystem::GetExePath(0);
  os::audio::WaveFormat format;
  uint32_t format_size = 0, data_size = 0;
  std::vector<uint8_t> data;
  // A file that is not a readable WAV file writes no record.
  if (ReadWaveFile((base + entry).c_str(), &format, &format_size, &data, &data_size) != 0) return;
  const std::string path = os::ResolvePath(base + (pack_name ? pack_name : ""));
  FILE* f = std::fopen(path.c_str(), "ab");
  if (!f) return;
  std::string name = entry;
  const size_t cut = name.find_last_of("\\/");
  if (cut != std::string::npos) name = name.substr(cut + 1);
  std::vector<uint8_t> record;
  os::audio::AppendLe32(record, data_size);
  os::audio::AppendBytes(record, name.c_str(), name.size() + 1);  // with its terminating 0
  const std::vector<uint8_t> block = os::audio::EncodeFormatBlock(format);
  os::audio::AppendLe32(record, static_cast<uint32_t>(block.size()));
  os::audio::AppendBytes(record, block.data(), block.size());
  os::audio::AppendBytes(record, data.data(), data.size());
  std::fwrite(record.data(), 1, record.size(), f);
  std::fclose(f);
}

int32_t LoadStream(const char* name, uint32_t loop_offset) {
  static constexpr const char* kFunction = "elSound::LoadStream";
  if (!SoundAvailable) return -1;
  const int32_t slot = TakeEntry(kFunction, name, 1, kMsgFileNameTooLong);
  if (slot < 0) return -1;
  SoundEntry& entry = SoundBufferTable[slot];
  const bool reloading = SoundReloading != 0;
  const std::string pack_path =
      reloading && !entry.Stream.PackPath.empty() ? entry.Stream.PackPath : SoundPackPath;
  PackFile pack(pack_path);
  Record record;
  std::string why;
  if (!ReportLookup(kFunction, FindRecord(pack, name, &record, &why), pack_path, name, why))
    return -1;
  const uint32_t avg = record.format.avg_bytes_per_sec;
  if (record.data_size / avg < 5) {
    // Too short to stream: an ordinary pack sound with one buffer.
    pack.Close();
    const std::string saved = SoundPackPath;
    SoundPackPath = pack_path;
    const int32_t result = LoadPack(name, 1);
    SoundPackPath = saved;
    return result;
  }
  const int64_t data_start = pack.Tell();
  const uint64_t buffer_size = uint64_t{avg} * 4;
  // The stream holds whole frames only, as a sound buffer does: the bytes of
  // a partial last frame are never queued, and the loop starts at the start
  // of the frame its offset falls in.  Each chunk's bytes follow the last
  // one's, so a chunk may end inside a frame; only the loop's jump must keep
  // the frames in step.  (A format no buffer takes is refused below; its
  // frame counts as one byte here.)
  const uint32_t frame = os::audio::PlayableFormat(record.format) ? record.format.block_align : 1;
  const uint32_t whole_size = record.data_size - record.data_size % frame;
  // The stream's positions are 32-bit; its buffer must be one a device takes.
  std::string refusal;
  if (loop_offset >= record.data_size) {
    refusal = "a loop offset of " + std::to_string(loop_offset) + " bytes, past its " +
              std::to_string(record.data_size) + " bytes of data";
  } else if (loop_offset >= whole_size) {
    refusal = "a loop offset of " + std::to_string(loop_offset) + " bytes, past the " +
              std::to_string(whole_size) + " bytes of its whole frames";
  } else if (data_start + int64_t{record.data_size} > 0xFFFFFFFFll) {
    refusal = "its data ends past the pack's first 4 GiB";
  } else if (buffer_size > os::audio::MaxBufferBytes) {
    refusal = std::to_string(avg) + " average bytes per second, too many for a stream buffer";
  }
  if (!refusal.empty()) {
    elSystem::ErrorBox(kFunction, kMsgCannotStream, 0,
                       PackSource(pack_path, name) + ": " + refusal);
    return -1;
  }
  StreamState s;
  s.BufferSize = static_cast<uint32_t>(buffer_size);
  s.HalfSize = s.BufferSize / 2;
  s.LastChunkStart = 0;
  s.WriteOffset = s.HalfSize;
  s.DataStart = static_cast<uint32_t>(data_start);
  s.LoopPoint = s.DataStart + (loop_offset - loop_offset % frame);
  s.DataSize = whole_size;
  s.ReadPosition = s.DataStart + s.HalfSize;
  s.QueuedBytes = s.HalfSize;
  s.WrapCursor = 0xFFFFFFFFu;
  s.LastPlayCursor = 0;
  s.StopCountdown = 0;
  s.PackPath = pack_path;

  // The buffer first: a format that no buffer takes reads no chunk.
  ReleaseBuffers(entry);
  Buffer* buffer = nullptr;
  const uint32_t result =
      os::audio::CreateBuffer(record.format, s.BufferSize, &buffer, name ? name : "");
  if (result != os::audio::AudioOk) {
    if (!reloading) entry = SoundEntry{};
    ReportNoBuffer(kFunction, PackSource(pack_path, name), record.format, s.BufferSize, result);
    return -1;
  }
  const std::vector<uint8_t> chunk = ReadPadded(pack.get(), s.HalfSize);
  pack.Close();
  entry.MixCount = 1;
  entry.EchoCount = -1;
  entry.NextDuplicate = 0;
  entry.Buffers[0] = buffer;
  WriteBuffer(buffer, 0, chunk.data(), s.HalfSize);
  if (!reloading) {
    entry.Frequency[0] = MainMixer().Frequency(buffer);
    entry.BaseFrequency = entry.Frequency[0];
    entry.Volume[0] = 0;
    entry.Pan[0] = 0;
    entry.Name = name;
  } else {
    MainMixer().SetVolume(buffer, std::clamp(entry.Volume[0], -10000, 0));
    if (entry.Frequency[0]) MainMixer().SetFrequency(buffer, std::clamp<uint32_t>(entry.Frequency[0], 100, 100000));
    MainMixer().SetPan(buffer, std::clamp(entry.Pan[0], -10000, 10000));
  }
  entry.Stream = std::move(s);
  entry.InUse = 1;
  entry.FromPack = 1;
  return slot;
}

int32_t ResetStream(int32_t handle) {
  static constexpr const char* kFunction = "elSound::ResetStream";
  SoundEntry* e = UsedEntry(handle);
  if (!e || e->Stream.DataSize == 0) return 0;
  StreamState& s = e->Stream;
  FILE* f = OpenStreamAt(kFunction, s, s.DataStart);
  if (!f) return 0;
  s.LastChunkStart = 0;
  s.WriteOffset = s.HalfSize;
  const std::vector<uint8_t> chunk = ReadPadded(f, s.HalfSize);
  std::fclose(f);
  s.ReadPosition = s.DataStart + s.HalfSize;
  s.QueuedBytes = s.HalfSize;
  s.WrapCursor = 0xFFFFFFFFu;
  s.LastPlayCursor = 0;
  s.StopCountdown = 0;
  WriteBuffer(DuplicateBuffer(*e, 0), 0, chunk.data(), s.HalfSize);
  return 1;
}

int32_t Streaming() {
  static constexpr const char* kFunction = "elSound::Streaming";
  if (!SoundAvailable) return 0;
  for (int32_t i = 0; i < SoundTableSize; ++i) {
    SoundEntry& e = SoundBufferTable[i];
    StreamState& s = e.Stream;
    Buffer* buffer = DuplicateBuffer(e, 0);
    if (!e.InUse || s.DataSize == 0 || !buffer) continue;
    if (!(MainMixer().Status(buffer) & os::audio::StatusPlaying)) continue;
    const uint32_t p = MainMixer().Position(buffer);
    bool due;
    if (s.WrapCursor == 0xFFFFFFFFu) {
      due = p >= s.LastChunkStart || p < s.LastPlayCursor;
    } else if (s.LastChunkStart < s.WrapCursor) {
      due = s.LastChunkStart <= p && p < s.WrapCursor;
    } else {
      due = p >= s.LastChunkStart;
    }
    if (!due) continue;
    s.LastPlayCursor = p;
    if (s.StopCountdown > 0) {
      s.StopCountdown -= 1;
      if (s.StopCountdown == 0) {
        Stop(i, -1);
        continue;
      }
    }
    FILE* f = OpenStreamAt(kFunction, s, s.ReadPosition);
    if (!f) return 0;
    uint32_t n = s.HalfSize;
    const uint32_t left = s.DataSize - s.QueuedBytes;
    if (n > left) {
      n = left;
    } else if (left - n < n) {
      n = left / 2;
    }
    const std::vector<uint8_t> chunk = ReadPadded(f, n);
    std::fclose(f);
    s.ReadPosition += n;
    s.QueuedBytes += n;
    if (s.QueuedBytes >= s.DataSize) {
      s.ReadPosition = s.LoopPoint;
      s.QueuedBytes = s.LoopPoint - s.DataStart;
      if (e.Looping == 0) s.StopCountdown = 2;
    }
    if (s.StopCountdown == 1) {
      SilenceBuffer(buffer, s.WriteOffset, n);
    } else {
      WriteBuffer(buffer, s.WriteOffset, chunk.data(), n);
    }
    s.WrapCursor = s.WriteOffset < s.LastChunkStart ? p : 0xFFFFFFFFu;
    s.LastChunkStart = s.WriteOffset;
    s.WriteOffset += n;
    if (s.WriteOffset >= s.BufferSize) s.WriteOffset -= s.BufferSize;
  }
  return 1;
}

int32_t SelectFormat(int32_t channels, int32_t rate, int32_t bits) {
  if (!SoundAvailable) return 1;
  for (SoundEntry& entry : SoundBufferTable) {
    if (entry.InUse) ReleaseBuffers(entry);
  }
  switch (rate) {
    case 8: rate = 8000; break;
    case 11: rate = 11025; break;
    case 22: rate = 22050; break;
    case 44: rate = 44100; break;
    default: break;
  }
  const uint32_t result = rate > 0 ? os::audio::SetOutputFormat(channels, static_cast<uint32_t>(rate), bits)
                                   : static_cast<uint32_t>(os::audio::AudioBadFormat);
  if (result != os::audio::AudioOk) {
    elSystem::ErrorBox("elSound::SelectFormat", kMsgNoFormat, result,
                       "the device cannot play " + std::to_string(channels) + " channels of " +
                           std::to_string(bits) + " bits at " + std::to_string(rate) + " Hz");
    // The sounds come back in the format that stays, when the device does.
    if (os::audio::EffectsOpen()) ReloadEntries();
    return 0;
  }
  ReloadEntries();
  return 1;
}

namespace internal {

void ReloadEntries() {
  SoundReloading = 1;
  for (int32_t i = 0; i < SoundTableSize; ++i) {
    SoundEntry& entry = SoundBufferTable[i];
    if (!entry.InUse) continue;
    ReloadSlot = i;
    const std::string name = entry.Name;
    if (entry.Stream.DataSize != 0) {
      LoadStream(name.c_str(), entry.Stream.LoopPoint - entry.Stream.DataStart);
    } else if (entry.FromPack) {
      LoadPack(name.c_str(), entry.MixCount);
    } else {
      LoadObject(name.c_str(), entry.MixCount);
    }
  }
  SoundReloading = 0;
}

}  // namespace internal
}  // namespace elSound
