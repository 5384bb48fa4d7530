// The headless audio device and sequencer.  The device mixes on the virtual
// clock: whenever the clock moves it renders the frames that the elapsed
// virtual time holds, on the main thread, so play cursors, one-shot ends and
// stream refills follow the clock exactly.
#include "os/headless/headless_audio.h"

#include <mutex>

#include "os/audio/audio.h"
#include "os/audio/midi.h"
#include "os/audio/smf.h"
#include "os/headless/headless.h"

namespace os::headless {
namespace {

struct AudioState {
  bool present = true;
  bool main_open = false;
  uint64_t mixed_frames = 0;
  bool capturing = false;
  audio::OutputFormat capture_format;
  std::vector<uint8_t> capture;
};

AudioState g_audio;

class HeadlessDevice final : public audio::AudioDevice {
 public:
  explicit HeadlessDevice(audio::Mixer& mixer)
      : mixer_(mixer), main_(&mixer == &audio::MainMixer()), start_us_(NowMicros()) {
    format_ = mixer.Output();
    if (main_) g_audio.main_open = true;
    AddClockListener(&HeadlessDevice::Tick, this);
  }
  ~HeadlessDevice() override {
    RemoveClockListener(&HeadlessDevice::Tick, this);
    if (main_) g_audio.main_open = false;
  }

 private:
  static void Tick(uint64_t now_us, void* user) { static_cast<HeadlessDevice*>(user)->Advance(now_us); }

  void Advance(uint64_t now_us) {
    if (now_us < start_us_) {  // a new start put the clock back to 0
      start_us_ = now_us;
      rendered_ = 0;
    }
    const uint64_t due = (now_us - start_us_) * format_.rate / 1000000;
    const uint32_t frame_bytes = format_.BytesPerFrame();
    while (rendered_ < due) {
      const int n = static_cast<int>(std::min<uint64_t>(due - rendered_, 4096));
      scratch_.resize(size_t{frame_bytes} * n);
      mixer_.Render(scratch_.data(), n);
      rendered_ += n;
      g_audio.mixed_frames += n;
      if (main_ && g_audio.capturing) {
        if (g_audio.capture.empty()) g_audio.capture_format = format_;
        g_audio.capture.insert(g_audio.capture.end(), scratch_.begin(), scratch_.end());
      }
    }
  }

  audio::Mixer& mixer_;
  bool main_;
  uint64_t start_us_;
  uint64_t rendered_ = 0;
  audio::OutputFormat format_;
  std::vector<uint8_t> scratch_;
};

// Logs every command; a started piece plays until the test ends it or, with
// the timing on, until its length has been rendered.
class LoggingSequencer final : public audio::Sequencer {
 public:
  bool Prepare(uint32_t) override { return true; }
  bool Load(const audio::SmfPiece& piece) override {
    bytes_ = piece.image.size();
    length_us_ = piece.micros;
    Rewind();
    return true;
  }
  void Unload() override {
    bytes_ = 0;
    Rewind();
  }
  void Rewind() override {
    started_ = ended_ = false;
    played_frames_ = 0;
    failure_.clear();
  }
  void Start() override {
    if (bytes_) started_ = true;
  }
  void Halt() override { started_ = false; }
  bool Ended() override { return ended_; }
  std::string Failure() override { return failure_; }
  // Counts the frames played and ends the piece at its length.
  void Render(float*, int frames, uint32_t rate) override {
    if (!timed_ || !started_) return;
    played_frames_ += static_cast<uint64_t>(frames);
    // The length in frames at this rate, in two steps that cannot overflow.
    const uint64_t length = length_us_ / 1000000 * rate + length_us_ % 1000000 * rate / 1000000;
    if (played_frames_ >= length) EndPiece("");
  }
  void NoteCommand(std::string_view command) override { log_.emplace_back(command); }
  void SetTimed(bool on) { timed_ = on; }

  void EndPiece(const std::string& failure) {
    if (!started_) return;
    started_ = false;
    ended_ = true;
    failure_ = failure;
  }
  bool Playing() const { return started_; }
  size_t Bytes() const { return bytes_; }
  std::vector<std::string>& Log() { return log_; }

 private:
  std::vector<std::string> log_;
  size_t bytes_ = 0;
  bool timed_ = false;
  uint64_t length_us_ = 0;
  uint64_t played_frames_ = 0;  // since the piece's start, at the output rate
  bool started_ = false;
  bool ended_ = false;
  std::string failure_;
};

LoggingSequencer& Sequencer() {
  static LoggingSequencer* seq = new LoggingSequencer;
  return *seq;
}

std::vector<std::string> g_sound_log;

// One line of the sound log.
void NoteVoice(const audio::VoiceEvent& event) {
  const std::string name(event.label.empty() ? "(unnamed)" : event.label);
  switch (event.kind) {
    case audio::VoiceEvent::Play: {
      std::string line = "play " + name + " volume " + std::to_string(event.volume) + " pan " +
                         std::to_string(event.pan);
      if (event.looping) line += " looping";
      if (event.frequency != event.rate) line += " frequency " + std::to_string(event.frequency);
      if (event.position != 0) line += " from byte " + std::to_string(event.position);
      g_sound_log.push_back(std::move(line));
      break;
    }
    case audio::VoiceEvent::Stop: g_sound_log.push_back("stop " + name); break;
    case audio::VoiceEvent::Volume:
      g_sound_log.push_back("volume " + name + " " + std::to_string(event.volume));
      break;
    case audio::VoiceEvent::Pan:
      g_sound_log.push_back("pan " + name + " " + std::to_string(event.pan));
      break;
    case audio::VoiceEvent::Frequency:
      g_sound_log.push_back("frequency " + name + " " + std::to_string(event.frequency));
      break;
  }
}

}  // namespace

void SetAudioDevicePresent(bool present) { g_audio.present = present; }
bool AudioDevicePresent() { return g_audio.present; }
bool AudioDeviceOpen() { return g_audio.main_open; }
uint64_t MixedFrames() { return g_audio.mixed_frames; }

void StartAudioCapture() {
  g_audio.capturing = true;
  g_audio.capture.clear();
  g_audio.capture_format = audio::MainMixer().Output();
}

bool StopAudioCapture(const std::string& wav_path) {
  g_audio.capturing = false;
  if (wav_path.empty()) return true;
  const audio::OutputFormat& f = g_audio.capture_format;
  return audio::WriteWaveFile(wav_path, audio::PcmFormat(f.channels, f.rate, f.bits),
                              g_audio.capture);
}

bool CapturingAudio() { return g_audio.capturing; }

audio::WaveFile CapturedAudio() {
  const audio::OutputFormat& f = g_audio.capture_format;
  audio::WaveFile wave;
  wave.format = audio::PcmFormat(f.channels, f.rate, f.bits);
  wave.data = g_audio.capture;
  return wave;
}

const std::vector<std::string>& MidiLog() { return Sequencer().Log(); }
void ClearMidiLog() { Sequencer().Log().clear(); }

bool MidiPiecePlaying() {
  std::lock_guard<std::mutex> lock(audio::MainMixer().Mutex());
  return Sequencer().Playing();
}

size_t MidiPieceBytes() {
  std::lock_guard<std::mutex> lock(audio::MainMixer().Mutex());
  return Sequencer().Bytes();
}

void EndMidiPiece() {
  std::lock_guard<std::mutex> lock(audio::MainMixer().Mutex());
  Sequencer().EndPiece("");
}

void FailMidiPiece(const std::string& why) {
  std::lock_guard<std::mutex> lock(audio::MainMixer().Mutex());
  Sequencer().EndPiece(why);
}

void TimeMidiPieces(bool on) {
  std::lock_guard<std::mutex> lock(audio::MainMixer().Mutex());
  Sequencer().SetTimed(on);
}

void LogSounds(bool on) { audio::MainMixer().Watch(on ? &NoteVoice : nullptr); }
const std::vector<std::string>& SoundLog() { return g_sound_log; }
void ClearSoundLog() { g_sound_log.clear(); }

}  // namespace os::headless

namespace os::audio {

std::unique_ptr<AudioDevice> OpenHeadlessDevice(Mixer& mixer) {
  if (!headless::g_audio.present) return nullptr;
  return std::make_unique<headless::HeadlessDevice>(mixer);
}

Sequencer* HeadlessSequencer() { return &headless::Sequencer(); }

}  // namespace os::audio
