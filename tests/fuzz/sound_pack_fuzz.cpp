// libFuzzer target for the sound-pack reader: any input is a sound pack.  The
// record "A.WAV" is loaded as a sound and as a stream; what loads is played,
// mixed, streamed for a while and released.
#include "el/sound/elSound.h"
#include "os/audio/audio.h"
#include "tests/fuzz/fuzz_files.h"

namespace {
std::string g_dir;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_dir = fuzz::StartMachine("sound_pack_fuzz_files");
  os::audio::SetOutputFormat(1, 8000, 8);  // the least mixing per virtual second
  if (elSound::Init() != 1) __builtin_trap();
  elSound::ClearSoundTable();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::WriteInput(g_dir + "S.PAK", data, size);
  elSound::SetPackFile("S.PAK");
  const int32_t sound = elSound::LoadPack("a.wav", 2);
  if (sound >= 0) {
    elSound::Play(sound, -2);
    os::headless::AdvanceMs(30);  // the device mixes as the clock runs
    elSound::ReleaseObject(sound);
  }
  const int32_t stream = elSound::LoadStream("A.WAV", size % 97);
  if (stream >= 0) {
    elSound::PlayLoop(stream, -1);
    for (int i = 0; i < 5; ++i) {  // past a refill of each half
      os::headless::AdvanceMs(600);
      elSound::Streaming();
    }
    elSound::ReleaseObject(stream);
  }
  os::headless::ClearBoxes();
  return 0;
}
