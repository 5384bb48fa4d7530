// Sound effects: the 70-entry sound table, loaders, playback and setters,
// echo, release and reload (one to ten duplicate buffers per sound, so a
// sound can overlap itself).
//
// Handles are indexes 0..69; -1 is a loader's failure result.  Every
// operation takes a handle outside 0..69, an entry not in use, a duplicate
// at or beyond the entry's mix count and a missing buffer as "do nothing"
// (or 0), so a failed load's -1 can be played safely.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "os/audio/mixer.h"
#include "os/audio/wave.h"

namespace elSound {
constexpr int32_t SoundTableSize = 70;
constexpr int32_t MaxMixCount = 10;
constexpr int32_t MaxSoundNameLength = 30;
}  // namespace elSound

// The stream record of an entry (only a streamed sound uses it; its data
// size is non-zero only then).  File positions are absolute, buffer offsets
// are bytes into the sound buffer.
struct StreamState {
  uint32_t DataStart = 0;
  uint32_t LoopPoint = 0;
  uint32_t ReadPosition = 0;
  uint32_t DataSize = 0;
  uint32_t QueuedBytes = 0;
  uint32_t LastChunkStart = 0;
  uint32_t WriteOffset = 0;
  uint32_t HalfSize = 0;
  uint32_t BufferSize = 0;
  uint32_t WrapCursor = 0xFFFFFFFFu;
  uint32_t LastPlayCursor = 0;
  uint8_t StopCountdown = 0;
  std::string PackPath;  // the pack the sound came from (packs and streams)
};

struct SoundEntry {
  os::audio::Buffer* Buffers[elSound::MaxMixCount] = {};
  uint32_t InUse = 0;
  int32_t MixCount = 1;
  int32_t NextDuplicate = 0;
  uint32_t BaseFrequency = 0;                       // Hz right after loading
  uint32_t Frequency[elSound::MaxMixCount] = {};    // Hz
  int32_t Volume[elSound::MaxMixCount] = {};        // hundredths of a dB, 0 full
  int32_t Pan[elSound::MaxMixCount] = {};           // -10000 left .. 10000 right
  std::string Name;                                 // at most 30 characters
  uint32_t FromPack = 0;
  uint32_t Looping = 0;
  uint32_t PausePosition[elSound::MaxMixCount] = {};  // bytes
  int32_t EchoCount = -1;  // -1 no echo, 0 idle, 1.. the next repeat
  float EchoTimer = 0;     // milliseconds since the last repeat
  uint32_t EchoLooping = 0;
  float EchoPan = 0;       // dB, -30..30
  int32_t EchoPanDirection = 1;
  StreamState Stream;
};

extern SoundEntry SoundBufferTable[elSound::SoundTableSize];
extern uint32_t SoundAvailable;  // 1 after the sound device started
extern uint32_t SoundReloading;  // the loaders refill ReloadSlot while 1
extern int32_t ReloadSlot;

namespace elSound {

// Starts the sound device; 1 on success, 0 when there is none (then every
// sound operation does nothing and the loaders return -1 without a message).
int32_t Init();
// Puts every entry into its empty state (releasing any buffers).
void ClearSoundTable();
// Stops and releases every buffer and gives the device up; the entries keep
// everything else, so ReloadAll can rebuild them.
void Release();

int32_t LoadObject(const char* name, int32_t mix_count);
// 0 on success, 1 on failure (then the data is empty).
int32_t ReadWaveFile(const char* path, os::audio::WaveFormat* format, uint32_t* format_size,
                     std::vector<uint8_t>* data, uint32_t* data_size);

// mode >= 0: that duplicate; -1 (and any other negative mode) the next one
// round robin; -2 the same after resetting the sound and arming its echo;
// -3 the next one round robin.
void Play(int32_t handle, int32_t mode);
void PlayLoop(int32_t handle, int32_t mode);
// Duplicate selectors: >= 0 that duplicate, -2 the next round-robin one,
// other negatives every duplicate (Stop and TogglePause: every negative).
void Stop(int32_t handle, int32_t dup);
void TogglePause(int32_t handle, int32_t dup);

void SetFrequency(int32_t handle, int32_t steps, int32_t dup);  // base + steps x 100 Hz
void AddFrequency(int32_t handle, int32_t steps, int32_t dup);
void ResetFrequency(int32_t handle, int32_t dup);
void SetPan(int32_t handle, int32_t db, int32_t dup);
void AddPan(int32_t handle, int32_t db, int32_t dup);
void ResetPan(int32_t handle, int32_t dup);
void PanLeft(int32_t handle, int32_t dup);
void PanRight(int32_t handle, int32_t dup);
void SetVolume(int32_t handle, int32_t db, int32_t dup);
void AddVolume(int32_t handle, int32_t db, int32_t dup);
void ResetVolume(int32_t handle, int32_t dup);

// The echo tick, once per frame after a mode -2 play.
void PlayEcho(int32_t handle, int32_t interval_ms, int32_t repeats, int32_t step_db);
void PlayEchoPan(int32_t handle, int32_t interval_ms, int32_t repeats, int32_t step_db,
                 int32_t pan_speed);

void ReleaseObject(int32_t handle);
void ReloadAll();
// Gives the device up, plays the file to its end (the name as given, not
// under the program's folder) and rebuilds every sound.
void PlayWaveFile(const char* file);
uint32_t GetPlayPosition(int32_t handle);  // duplicate 0's play cursor, bytes
void Beep();

}  // namespace elSound
