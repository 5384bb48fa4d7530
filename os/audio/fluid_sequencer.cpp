// The FluidSynth sequencer: a General MIDI synthesiser whose MIDI-file player
// runs on the synthesiser's sample clock, so the piece advances exactly as
// the audio callback renders it.
#include <fluidsynth.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "os/audio/midi.h"
#include "os/path.h"
#include "os/stderr_divert.h"
#include "os/system.h"

namespace os::audio {
namespace {

// FluidSynth's own messages never reach stderr (a piece it cannot read would
// repeat its complaint on every try): the first error since the last
// TakeFluidError is kept for our own one-line reports, the rest is dropped.
// Errors come from the main thread and from the audio thread.
std::mutex g_fluid_log_mutex;
char g_fluid_error[160];

void KeepFluidError(int, const char* message, void*) {
  std::lock_guard<std::mutex> lock(g_fluid_log_mutex);
  if (g_fluid_error[0] == '\0' && message)
    std::snprintf(g_fluid_error, sizeof g_fluid_error, "%s", message);
}

std::string TakeFluidError() {
  std::lock_guard<std::mutex> lock(g_fluid_log_mutex);
  std::string error = g_fluid_error;
  g_fluid_error[0] = '\0';
  return error;
}

void RouteFluidLog() {
  static std::once_flag once;
  std::call_once(once, [] {
    fluid_set_log_function(FLUID_PANIC, &KeepFluidError, nullptr);
    fluid_set_log_function(FLUID_ERR, &KeepFluidError, nullptr);
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
  });
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// Why `path` is no soundfont file, in brackets: what it is instead ("it is
// a folder"), or the system's words.
std::string NotAFile(const std::string& path) {
  std::string why;
  const int fd = OpenRegularFile(path, &why);
  if (fd >= 0) ::close(fd);
  return why.empty() ? why : " (" + why + ")";
}

constexpr int kScratchFrames = 256;

class FluidSequencer final : public Sequencer {
 public:
  ~FluidSequencer() override { Destroy(); }

  bool Prepare(uint32_t rate) override {
    RouteFluidLog();
    if (synth_ && rate == rate_) return true;
    Destroy();
    const std::string soundfont = FindSoundfont();
    if (soundfont.empty()) {
      const char* env = std::getenv("VANTRIS_SOUNDFONT");
      WarnOnce(env && *env
                   ? "VANTRIS_SOUNDFONT names " + Printable(env) + ", which is no file" +
                         NotAFile(env)
                   : "no General MIDI soundfont found (install the timgm6mb-soundfont package "
                     "or point VANTRIS_SOUNDFONT at a .sf2 file)");
      return false;
    }
    TakeFluidError();
    settings_ = new_fluid_settings();
    if (!settings_) return false;
    fluid_settings_setnum(settings_, "synth.sample-rate", static_cast<double>(rate));
    fluid_settings_setstr(settings_, "player.timing-source", "sample");
    fluid_settings_setnum(settings_, "synth.gain", kMusicGain);
    synth_ = new_fluid_synth(settings_);
    // A file that is no soundfont has the instrument library below
    // FluidSynth complain on stderr by itself (GLib's log), besides the
    // error kept above.
    int loaded = FLUID_FAILED;
    if (synth_) {
      WithoutLibraryChatter([&] { loaded = fluid_synth_sfload(synth_, soundfont.c_str(), 1); });
    }
    if (loaded == FLUID_FAILED) {
      Destroy();
      const std::string error = TakeFluidError();
      WarnOnce("the soundfont " + Printable(soundfont) + " cannot be loaded" +
               (error.empty() ? "" : " (" + Printable(error) + ")"));
      return false;
    }
    rate_ = rate;
    return true;
  }

  bool Load(const SmfPiece& piece) override {
    smf_ = piece.image;
    return MakePlayer();
  }

  void Unload() override {
    DeletePlayer();
    smf_.clear();
    if (synth_) fluid_synth_all_sounds_off(synth_, -1);
  }

  void Rewind() override {
    if (!synth_) return;
    fluid_synth_all_sounds_off(synth_, -1);
    fluid_synth_system_reset(synth_);
    MakePlayer();
  }

  void Start() override {
    if (!player_) return;
    fluid_player_play(player_);
    started_ = true;
  }

  void Halt() override {
    if (player_ && started_) fluid_player_stop(player_);
    started_ = false;
    if (synth_) fluid_synth_all_notes_off(synth_, -1);
  }

  bool Ended() override { return ended_; }
  std::string Failure() override { return failure_; }

  void Render(float* mix, int frames, uint32_t rate) override {
    if (!synth_ || rate != rate_) return;
    while (frames > 0) {
      const int n = frames < kScratchFrames ? frames : kScratchFrames;
      fluid_synth_write_float(synth_, n, scratch_, 0, 2, scratch_, 1, 2);
      for (int i = 0; i < 2 * n; ++i) mix[i] += scratch_[i];
      mix += 2 * n;
      frames -= n;
    }
    // The piece ends with its last event (the player itself reports "done"
    // only after a grace time for the notes to die away).  Every piece opened
    // lasts at least a tick: one "done" with none is one the player could
    // not read, which ends it for good rather than at once on every replay.
    if (started_ && player_) {
      const int total = fluid_player_get_total_ticks(player_);
      const bool last_event_played = total > 0 && fluid_player_get_current_tick(player_) >= total;
      const bool done = fluid_player_get_status(player_) == FLUID_PLAYER_DONE;
      if (last_event_played || done) {
        started_ = false;
        ended_ = true;
        if (done && total <= 0) {
          failure_ = "the synthesiser cannot read it";
          const std::string error = TakeFluidError();
          if (!error.empty()) failure_ += " (" + error + ")";
        }
      }
    }
  }

 private:
  void WarnOnce(const std::string& why) {
    if (warned_) return;
    warned_ = true;
    SayLine("vantris: the music is silent: %s.", why.c_str());
  }

  bool MakePlayer() {
    DeletePlayer();
    ended_ = false;
    started_ = false;
    failure_.clear();
    TakeFluidError();
    if (!synth_ || smf_.empty()) return false;
    player_ = new_fluid_player(synth_);
    if (!player_) return false;
    if (fluid_player_add_mem(player_, smf_.data(), smf_.size()) != FLUID_OK) {
      DeletePlayer();
      return false;
    }
    return true;
  }

  void DeletePlayer() {
    if (player_) delete_fluid_player(player_);
    player_ = nullptr;
  }

  void Destroy() {
    DeletePlayer();
    if (synth_) delete_fluid_synth(synth_);
    if (settings_) delete_fluid_settings(settings_);
    synth_ = nullptr;
    settings_ = nullptr;
    rate_ = 0;
  }

  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  fluid_player_t* player_ = nullptr;
  std::vector<uint8_t> smf_;
  uint32_t rate_ = 0;
  bool started_ = false;
  bool ended_ = false;
  std::string failure_;  // why the piece ended unread
  bool warned_ = false;
  float scratch_[2 * kScratchFrames] = {};
};

}  // namespace

std::string FindSoundfont() {
  if (const char* env = std::getenv("VANTRIS_SOUNDFONT"); env && *env)
    return FileExists(env) ? std::string(env) : std::string();
  // Debian's default-GM.sf2 is the soundfont the system's administrator
  // chose among those installed.
  static const char* const kCandidates[] = {
      "/usr/share/sounds/sf2/default-GM.sf2",
      "/usr/share/sounds/sf2/TimGM6mb.sf2",
      "/usr/share/sounds/sf2/FluidR3_GM.sf2",
      "/usr/share/soundfonts/default.sf2",
      "/usr/share/soundfonts/FluidR3_GM.sf2",
  };
  for (const char* path : kCandidates) {
    if (FileExists(path)) return path;
  }
  return {};
}

std::unique_ptr<Sequencer> MakeFluidSequencer(uint32_t rate) {
  auto seq = std::make_unique<FluidSequencer>();
  if (!seq->Prepare(rate)) return nullptr;
  return seq;
}

Sequencer* SdlSequencer() {
  static FluidSequencer* seq = new FluidSequencer;  // kept to the end of the process
  return seq;
}

}  // namespace os::audio
