// Sound packs (many WAV sounds in one file), streamed sound and the choice of
// the output format.
//
// A pack is a run of records, little-endian, no header: data size (u32), the
// upper-case name with its NUL (at most 127 characters), format size (u32),
// the format block and the data.
#pragma once
#include <cstdint>
#include <string>

extern std::string SoundPackPath;  // full path of the current pack

namespace elSound {

void SetPackFile(const char* name);  // under the program's folder
int32_t LoadPack(const char* name, int32_t mix_count);
// Appends every *.WAV of the folder (under the program's folder) to the
// pack, deleting the pack first when asked; always 1.
int32_t LoadFolder(const char* pack_name, const char* folder, int32_t delete_first);
void LoadFolderFile(const char* pack_name, const char* entry);
// Streams a pack record through a four-second buffer refilled two seconds at
// a time; a sound shorter than five seconds becomes an ordinary pack sound.
// Only the record's whole frames play, as with a pack sound; a looping
// stream goes on from the start of the frame its loop offset falls in (an
// offset at or past the last whole frame's end is refused).
int32_t LoadStream(const char* name, uint32_t loop_offset);
int32_t Streaming();  // serve every playing stream; call at least every 2 s
int32_t ResetStream(int32_t handle);
// Rate in Hz, or 8, 11, 22, 44 for 8000, 11025, 22050, 44100.
int32_t SelectFormat(int32_t channels, int32_t rate, int32_t bits);

}  // namespace elSound
