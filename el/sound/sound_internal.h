// Shared by the sound module's own files.
#pragma once
#include <cstdint>
#include <string>

#include "el/sound/sound_table.h"

namespace elSound::internal {

inline constexpr const char* kMsgMixCount = "ミックス数が多過ぎます";
inline constexpr const char* kMsgNameTooLong = "ファイル名またはリソース名が長すぎます";
inline constexpr const char* kMsgFileNameTooLong = "ファイル名が長すぎます";
inline constexpr const char* kMsgTooMany = "オブジェクト数が多過ぎます";
inline constexpr const char* kMsgNoResource = "WAVEリソースが見つかりません";
inline constexpr const char* kMsgNoBuffer = "サウンドバッファが生成できません";
inline constexpr const char* kMsgNoPack = "パックファイル名が指定されていません";
inline constexpr const char* kMsgNoRecord = "WAVEファイルを読み込めません";
inline constexpr const char* kMsgCannotStream = "ストリーミング再生できません";
inline constexpr const char* kMsgNoFormat = "再生フォーマットを変更できません";

// The entry of a handle when the sound module runs and the entry is in use.
SoundEntry* UsedEntry(int32_t handle);
// The buffer of duplicate `dup` when it exists.
os::audio::Buffer* DuplicateBuffer(const SoundEntry& entry, int32_t dup);

// The loaders' common start: range of the mix count, then (unless
// reloading) the name's length and a free entry.  The entry index, or -1
// after the error box.
int32_t TakeEntry(const char* function, const char* name, int32_t mix_count,
                  const char* too_long_message);

// Builds the duplicates of `slot` from a format and its data (the loaders'
// common end); the entry index, or -1 after the error box with everything
// made on the way released.  `source` names where the sound came from (a
// file's path, a pack and its entry) for the log line of a refusal.
int32_t FillEntry(const char* function, int32_t slot, const os::audio::WaveFormat& format,
                  const uint8_t* data, uint32_t size, int32_t mix_count, uint32_t from_pack,
                  const char* name, const std::string& source);

// The error box of a sound buffer that cannot be made: the box says
// kMsgNoBuffer, its log line names `source` and what is wrong with the
// format or the size ("3 channels", "no samples").
void ReportNoBuffer(const char* function, const std::string& source,
                    const os::audio::WaveFormat& format, uint32_t size, uint32_t result);

// Copies bytes into a buffer at an offset (two pieces when the range wraps).
void WriteBuffer(os::audio::Buffer* buffer, uint32_t offset, const uint8_t* data,
                 uint32_t size);
// Fills a range with the silence of the buffer's format.
void SilenceBuffer(os::audio::Buffer* buffer, uint32_t offset, uint32_t size);

// Stops and releases the duplicates of an entry, clearing the pointers.
void ReleaseBuffers(SoundEntry& entry);
// Reloads every entry in use into its own slot (SoundReloading set around).
void ReloadEntries();

}  // namespace elSound::internal
