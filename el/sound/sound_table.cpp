#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>

#include "el/sound/elSound.h"
#include "el/sound/sound_internal.h"
#include "el/system/elSystem.h"
#include "os/audio/audio.h"
#include "os/path.h"
#include "os/resources.h"
#include "os/system.h"

SoundEntry SoundBufferTable[elSound::SoundTableSize];
uint32_t SoundAvailable = 0;
uint32_t SoundReloading = 0;
int32_t ReloadSlot = 0;

namespace elSound {
namespace internal {

using os::audio::Buffer;
using os::audio::MainMixer;

SoundEntry* UsedEntry(int32_t handle) {
  if (!SoundAvailable || handle < 0 || handle >= SoundTableSize) return nullptr;
  SoundEntry& entry = SoundBufferTable[handle];
  if (!entry.InUse) return nullptr;
  return &entry;
}

Buffer* DuplicateBuffer(const SoundEntry& entry, int32_t dup) {
  if (dup < 0 || dup >= entry.MixCount || dup >= MaxMixCount) return nullptr;
  return entry.Buffers[dup];
}

int32_t TakeEntry(const char* function, const char* name, int32_t mix_count,
                  const char* too_long_message) {
  if (mix_count > MaxMixCount || mix_count < -MaxMixCount) {
    elSystem::ErrorBox(function, kMsgMixCount);
    return -1;
  }
  if (SoundReloading) {
    return ReloadSlot >= 0 && ReloadSlot < SoundTableSize ? ReloadSlot : -1;
  }
  if (!name || std::strlen(name) > static_cast<size_t>(MaxSoundNameLength)) {
    elSystem::ErrorBox(function, too_long_message);
    return -1;
  }
  for (int32_t i = 0; i < SoundTableSize; ++i) {
    if (!SoundBufferTable[i].InUse) return i;
  }
  elSystem::ErrorBox(function, kMsgTooMany);
  return -1;
}

void WriteBuffer(Buffer* buffer, uint32_t offset, const uint8_t* data, uint32_t size) {
  if (!buffer || size == 0) return;
  os::audio::LockedRange range;
  if (MainMixer().Lock(buffer, offset, size, &range) != os::audio::AudioOk) return;
  const os::audio::LockedRange pieces = range;
  std::memcpy(pieces.first, data, pieces.first_bytes);
  if (pieces.second != nullptr) {
    std::memcpy(pieces.second, data + pieces.first_bytes, pieces.second_bytes);
  }
  MainMixer().Unlock(buffer);
}

void SilenceBuffer(Buffer* buffer, uint32_t offset, uint32_t size) {
  if (!buffer || size == 0) return;
  const uint8_t silence = MainMixer().Format(buffer).bits_per_sample == 8 ? 0x80 : 0x00;
  os::audio::LockedRange range;
  if (MainMixer().Lock(buffer, offset, size, &range) != os::audio::AudioOk) return;
  std::memset(range.first, silence, range.first_bytes);
  if (range.second) std::memset(range.second, silence, range.second_bytes);
  MainMixer().Unlock(buffer);
}

void ReleaseBuffers(SoundEntry& entry) {
  for (Buffer*& buffer : entry.Buffers) {
    if (!buffer) continue;
    MainMixer().Stop(buffer);
    MainMixer().ReleaseBuffer(buffer);
    buffer = nullptr;
  }
}

namespace {

// The recorded frequency, volume and pan of a duplicate, given to its new
// buffer on a reload.
void ApplyRecorded(SoundEntry& entry, int32_t d) {
  Buffer* buffer = entry.Buffers[d];
  MainMixer().SetVolume(buffer, std::clamp(entry.Volume[d], -10000, 0));
  if (entry.Frequency[d] != 0)
    MainMixer().SetFrequency(buffer, std::clamp<uint32_t>(entry.Frequency[d], 100, 100000));
  MainMixer().SetPan(buffer, std::clamp(entry.Pan[d], -10000, 10000));
}

}  // namespace

void ReportNoBuffer(const char* function, const std::string& source,
                    const os::audio::WaveFormat& format, uint32_t size, uint32_t result) {
  std::string why;
  if (result == os::audio::AudioBadFormat) {
    os::audio::SampleTypeOf(format, &why);
  } else if (result == os::audio::AudioBadSize && size == 0) {
    why = "no samples";
  } else if (result == os::audio::AudioBadSize) {
    why = std::to_string(size) + " bytes of samples, ";
    if (size > os::audio::MaxBufferBytes) {
      why += "more than a sound buffer holds";
    } else if (size < format.block_align) {
      why += "less than one frame";
    } else {
      why += "fewer than the " + std::to_string(os::audio::MinBufferBytes) + " a buffer needs";
    }
  } else if (result == os::audio::AudioNoDevice) {
    why = "the sound device is closed";
  } else {
    char code[32];
    std::snprintf(code, sizeof code, "error 0x%08X", result);
    why = code;
  }
  elSystem::ErrorBox(function, kMsgNoBuffer, result, source + ": " + why);
}

int32_t FillEntry(const char* function, int32_t slot, const os::audio::WaveFormat& format,
                  const uint8_t* data, uint32_t size, int32_t mix_count, uint32_t from_pack,
                  const char* name, const std::string& source) {
  SoundEntry& entry = SoundBufferTable[slot];
  const bool reloading = SoundReloading != 0;
  ReleaseBuffers(entry);  // nothing is left over from an earlier life of the entry
  // A mix count of 0 is taken as 1.
  const int32_t count = std::max(1, std::abs(mix_count));
  entry.MixCount = count;
  entry.EchoCount = mix_count > 1 ? 0 : -1;
  if (!reloading) entry.NextDuplicate = 0;
  if (entry.NextDuplicate >= count || entry.NextDuplicate < 0) entry.NextDuplicate = 0;

  for (int32_t d = 0; d < count; ++d) {
    Buffer* buffer = nullptr;
    // A buffer is labelled with the name the sound was loaded by.
    const uint32_t result = os::audio::CreateBuffer(format, size, &buffer, name ? name : "");
    if (result != os::audio::AudioOk) {
      ReleaseBuffers(entry);
      if (!reloading) {
        entry = SoundEntry{};  // a new entry stays out of use
      }
      ReportNoBuffer(function, source, format, size, result);
      return -1;
    }
    entry.Buffers[d] = buffer;
    WriteBuffer(buffer, 0, data, size);
    if (!reloading) {
      entry.Frequency[d] = MainMixer().Frequency(buffer);
      entry.BaseFrequency = entry.Frequency[d];
      entry.Volume[d] = 0;
      entry.Pan[d] = 0;
    } else {
      ApplyRecorded(entry, d);
    }
  }
  entry.InUse = 1;
  entry.FromPack = from_pack;
  entry.Stream.DataSize = 0;
  if (!reloading) entry.Name = name ? name : "";
  return slot;
}

}  // namespace internal

using namespace internal;

namespace {

// The duplicates a selector names: >= 0 that one, -2 the next round-robin
// one (unless `minus_two_is_all`), other negatives every one.
template <typename F>
void ForSelected(SoundEntry& entry, int32_t dup, bool minus_two_is_all, F&& f) {
  const int32_t count = std::clamp(entry.MixCount, 0, MaxMixCount);
  if (dup >= 0) {
    if (dup < count) f(dup);
  } else if (dup == -2 && !minus_two_is_all) {
    if (entry.NextDuplicate >= 0 && entry.NextDuplicate < count) f(entry.NextDuplicate);
  } else {
    for (int32_t d = 0; d < count; ++d) f(d);
  }
}

int32_t ClampFrequency(int64_t hz) { return static_cast<int32_t>(std::clamp<int64_t>(hz, 100, 100000)); }
int32_t ClampPan(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, -10000, 10000)); }
int32_t ClampVolume(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, -10000, 0)); }

void StoreFrequency(SoundEntry& e, int32_t d, uint32_t hz) {
  e.Frequency[d] = hz;
  if (Buffer* b = DuplicateBuffer(e, d)) MainMixer().SetFrequency(b, std::clamp<uint32_t>(hz, 100, 100000));
}
void StorePan(SoundEntry& e, int32_t d, int32_t pan) {
  e.Pan[d] = pan;
  if (Buffer* b = DuplicateBuffer(e, d)) MainMixer().SetPan(b, pan);
}
void StoreVolume(SoundEntry& e, int32_t d, int32_t volume) {
  e.Volume[d] = volume;
  if (Buffer* b = DuplicateBuffer(e, d)) MainMixer().SetVolume(b, volume);
}

// Stop, rewind and play one duplicate.
void Restart(SoundEntry& entry, int32_t d, bool looping) {
  Buffer* buffer = DuplicateBuffer(entry, d);
  if (!buffer) return;
  MainMixer().Stop(buffer);
  MainMixer().SetPosition(buffer, 0);
  MainMixer().Play(buffer, looping);
}

void StartSound(int32_t handle, int32_t mode, bool loop) {
  SoundEntry* e = UsedEntry(handle);
  if (!e) return;
  const bool stream = e->Stream.DataSize != 0;
  // A stream is refilled from its start and always runs looping; its end is
  // the streaming service's business.
  const bool looping = loop || stream;
  e->Looping = loop ? 1 : 0;
  if (stream) ResetStream(handle);
  if (mode >= 0) {
    Restart(*e, mode, looping);
    return;
  }
  if (mode == -2 && e->EchoCount >= 0) {
    ResetFrequency(handle, -1);
    ResetPan(handle, -1);
    ResetVolume(handle, -1);
    e->EchoCount = 1;
    e->EchoTimer = 0;
    e->EchoLooping = loop ? 1 : 0;
    e->EchoPan = 0;
    e->EchoPanDirection = os::Random() % 2 * 2 - 1;
  }
  if (e->NextDuplicate < 0 || e->NextDuplicate >= e->MixCount) e->NextDuplicate = 0;
  Restart(*e, e->NextDuplicate, looping);
  e->NextDuplicate += 1;
  if (e->NextDuplicate >= e->MixCount) e->NextDuplicate = 0;
}

void EchoTick(int32_t handle, int32_t interval, int32_t repeats, int32_t step, bool pan,
              int32_t pan_speed) {
  SoundEntry* e = UsedEntry(handle);
  if (!e || e->EchoCount < 1 || repeats < 1) return;
  e->EchoTimer += FrameTime * 1000.0f;
  if (static_cast<float>(interval) > e->EchoTimer) return;
  e->EchoTimer = 0;
  if (pan) {
    e->EchoPan += static_cast<float>(e->EchoPanDirection) * FrameTime * 100.0f *
                  static_cast<float>(pan_speed);
    if (e->EchoPan < -30.0f) {
      e->EchoPan = -30.0f;
      e->EchoPanDirection = -e->EchoPanDirection;
    } else if (e->EchoPan > 30.0f) {
      e->EchoPan = 30.0f;
      e->EchoPanDirection = -e->EchoPanDirection;
    }
    SetPan(handle, static_cast<int32_t>(e->EchoPan), -2);
  }
  const int64_t down = -int64_t{e->EchoCount} * step;
  SetVolume(handle, static_cast<int32_t>(std::clamp<int64_t>(down, -1000000, 1000000)), -2);
  if (e->EchoLooping) {
    PlayLoop(handle, -3);
  } else {
    Play(handle, -3);
  }
  e->EchoCount += 1;
  if (e->EchoCount > repeats) e->EchoCount = 0;
}

}  // namespace

int32_t Init() {
  for (SoundEntry& entry : SoundBufferTable) ReleaseBuffers(entry);
  SoundReloading = 0;
  if (!os::audio::OpenEffects()) {
    SoundAvailable = 0;
    return 0;
  }
  SoundAvailable = 1;
  return 1;
}

void ClearSoundTable() {
  for (SoundEntry& entry : SoundBufferTable) {
    ReleaseBuffers(entry);
    entry = SoundEntry{};
  }
}

void Release() {
  if (!SoundAvailable) return;
  for (SoundEntry& entry : SoundBufferTable) ReleaseBuffers(entry);
  os::audio::CloseEffects();
}

int32_t ReadWaveFile(const char* path, os::audio::WaveFormat* format, uint32_t* format_size,
                     std::vector<uint8_t>* data, uint32_t* data_size) {
  if (format) *format = os::audio::WaveFormat{};
  if (format_size) *format_size = 0;
  if (data) data->clear();
  if (data_size) *data_size = 0;
  os::audio::WaveFile wave;
  if (!path || !os::audio::ReadWaveFile(path, &wave)) return 1;
  if (format_size) *format_size = wave.format.BlockSize();
  if (data_size) *data_size = static_cast<uint32_t>(wave.data.size());
  if (format) *format = std::move(wave.format);
  if (data) *data = std::move(wave.data);
  return 0;
}

int32_t LoadObject(const char* name, int32_t mix_count) {
  static constexpr const char* kFunction = "elSound::LoadObject";
  if (!SoundAvailable) return -1;
  const int32_t slot = TakeEntry(kFunction, name, mix_count, kMsgNameTooLong);
  if (slot < 0) return -1;
  const std::string path = elSystem::GetExePath(0) + (name ? name : "");
  os::audio::WaveFile wave;
  std::string why;
  std::string source = os::ResolvePath(path);
  if (!os::audio::ReadWaveFile(path, &wave, &why)) {
    std::span<const uint8_t> image;
    const bool found = name && (os::FindResource("WAVE", name, &image) ||
                                os::FindResource("RCDATA", name, &image));
    if (!found || !os::audio::ParseWaveImage44(image, &wave)) {
      // The box names the missing resource; the log also says what is
      // wrong with the file.
      elSystem::ErrorBox(kFunction, kMsgNoResource, 0, source + ": " + why);
      return -1;
    }
    source = std::string("resource ") + name;
  }
  return FillEntry(kFunction, slot, wave.format, wave.data.data(),
                   static_cast<uint32_t>(wave.data.size()), mix_count, 0, name, source);
}

void Play(int32_t handle, int32_t mode) { StartSound(handle, mode, false); }
void PlayLoop(int32_t handle, int32_t mode) { StartSound(handle, mode, true); }

void Stop(int32_t handle, int32_t dup) {
  SoundEntry* e = UsedEntry(handle);
  if (!e) return;
  ForSelected(*e, dup, true, [&](int32_t d) {
    if (Buffer* b = DuplicateBuffer(*e, d)) {
      MainMixer().Stop(b);
      MainMixer().SetPosition(b, 0);
    }
  });
  if (dup < 0 && e->EchoCount != -1) e->EchoCount = 0;
}

void TogglePause(int32_t handle, int32_t dup) {
  SoundEntry* e = UsedEntry(handle);
  if (!e) return;
  ForSelected(*e, dup, true, [&](int32_t d) {
    Buffer* b = DuplicateBuffer(*e, d);
    if (!b) return;
    if (MainMixer().Status(b) & os::audio::StatusPlaying) {
      e->PausePosition[d] = MainMixer().Position(b);
      MainMixer().Stop(b);
    } else {
      MainMixer().SetPosition(b, e->PausePosition[d]);
      MainMixer().Play(b, e->Looping == 1);
    }
  });
}

void SetFrequency(int32_t handle, int32_t steps, int32_t dup) {
  SoundEntry* e = UsedEntry(handle);
  if (!e) return;
  const int32_t hz = ClampFrequency(int64_t{e->BaseFrequency} + int64_t{steps} * 100);
  ForSelected(*e, dup, false, [&](int32_t d) { StoreFrequency(*e, d, hz); });
}

void AddFrequency(int32_t handle, int32_t steps, int32_t dup) {
  SoundEntry* e = UsedEntry(handle);
  if (!e) return;
  ForSelected(*e, dup, false, [&](int32_t d) {
    StoreFrequency(*e, d, ClampFrequency(int64_t{e->Frequency[d]} + int64_t{steps} * 100));
  });
}

void ResetFrequency(int32_t handle, int32_t dup) {
  SoundEntry* e = UsedEntry(handle);
  if (!e) return;
  ForSelected(*e, dup, false, [&](int32_t d) { StoreFrequency(*e, d, e->BaseFrequency); });
}

void SetPan(int32_t handle, int32_t db, int32_t dup) {
  SoundEntry* e = UsedEntry(handle);
  if (!e) return;
  const int32_t pan = ClampPan(int64_t{db} * 100);
  ForSelected(*e, dup, false, [&](int32_t d) { StorePan(*e, d, pan); });
}

void AddPan(int32_t handle, int32_t db, int32_t dup) {
  SoundEntry* e = UsedEntry(handle);
  if (!e) return;
  ForSelected(*e, dup, false,
              [&](int32_t d) { StorePan(*e, d, ClampPan(int64_t{e->Pan[d]} + int64_t{db} * 100)); });
}

void ResetPan(int32_t handle, int32_t dup) {
  SoundEntry* e = UsedEntry(handle);
  if (!e) return;
  ForSelected(*e, dup, false, [&](int32_t d) { StorePan(*e, d, 0); });
}

void PanLeft(int32_t handle, int32_t dup) {
  SoundEntry* e = UsedEntry(handle);
  if (!e) return;
  ForSelected(*e, dup, false, [&](int32_t d) { StorePan(*e, d, -10000); });
}

void PanRight(int32_t handle, int32_t dup) {
  SoundEntry* e = UsedEntry(handle);
  if (!e) return;
  ForSelected(*e, dup, false, [&](int32_t d) { StorePan(*e, d, 10000); });
}

void SetVolume(int32_t handle, int32_t db, int32_t dup) {
  SoundEntry* e = UsedEntry(handle);
  if (!e) return;
  const int32_t volume = ClampVolume(int64_t{db} * 100);
  ForSelected(*e, dup, false, [&](int32_t d) { StoreVolume(*e, d, volume); });
}

void AddVolume(int32_t handle, int32_t db, int32_t dup) {
  SoundEntry* e = UsedEntry(handle);
  if (!e) return;
  ForSelected(*e, dup, false, [&](int32_t d) {
    StoreVolume(*e, d, ClampVolume(int64_t{e->Volume[d]} + int64_t{db} * 100));
  });
}

void ResetVolume(int32_t handle, int32_t dup) {
  SoundEntry* e = UsedEntry(handle);
  if (!e) return;
  ForSelected(*e, dup, false, [&](int32_t d) { StoreVolume(*e, d, 0); });
}

void PlayEcho(int32_t handle, int32_t interval_ms, int32_t repeats, int32_t step_db) {
  EchoTick(handle, interval_ms, repeats, step_db, false, 0);
}

void PlayEchoPan(int32_t handle, int32_t interval_ms, int32_t repeats, int32_t step_db,
                 int32_t pan_speed) {
  EchoTick(handle, interval_ms, repeats, step_db, true, pan_speed);
}

void ReleaseObject(int32_t handle) {
  SoundEntry* e = UsedEntry(handle);
  if (!e) return;
  e->InUse = 0;
  e->BaseFrequency = 0;
  e->Name.clear();
  e->FromPack = 0;
  e->Stream.DataSize = 0;
  e->Stream.PackPath.clear();
  for (int32_t d = 0; d < MaxMixCount; ++d) {
    e->Volume[d] = 0;
    e->Frequency[d] = 0;
    e->Pan[d] = 0;
  }
  ReleaseBuffers(*e);
  e->MixCount = 1;
}

void ReloadAll() {
  if (!SoundAvailable) return;
  Init();
  ReloadEntries();
}

void PlayWaveFile(const char* file) {
  if (!SoundAvailable || !file) return;
  Release();
  os::audio::PlayWaveFileBlocking(file);
  ReloadAll();
}

uint32_t GetPlayPosition(int32_t handle) {
  SoundEntry* e = UsedEntry(handle);
  if (!e) return 0;
  return MainMixer().Position(DuplicateBuffer(*e, 0));
}

void Beep() { os::Beep(); }

}  // namespace elSound
