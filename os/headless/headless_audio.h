// Controls of the headless audio: the virtual device (mixed only as the
// virtual clock advances), the capture of its mix and the logging sequencer.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "os/audio/wave.h"

namespace os::headless {

// ---- the virtual device ----
// Whether a device exists at all (StartOptions::no_audio_device clears it at
// start; tests may change it between starts).
void SetAudioDevicePresent(bool present);
bool AudioDevicePresent();
bool AudioDeviceOpen();  // the main device is open and pulling the mix
// Frames mixed by open virtual devices since the process started.
uint64_t MixedFrames();

// ---- capture ----
// Records everything the main device mixes from now on; StopAudioCapture
// ends the recording and writes it as a WAV file when a path is given.
void StartAudioCapture();
bool StopAudioCapture(const std::string& wav_path = "");
bool CapturingAudio();
// The recording so far, in the device's output format.
os::audio::WaveFile CapturedAudio();

// ---- the logging sequencer ----
// Every MIDI command string, in order, as it reached the interpreter.
const std::vector<std::string>& MidiLog();
void ClearMidiLog();
bool MidiPiecePlaying();   // a piece is loaded and started
size_t MidiPieceBytes();   // size of the loaded image (os/audio/smf.h), 0 when none
// The playing piece reaches its end now; the notice follows on the next pump.
void EndMidiPiece();
// The playing piece ends unplayed now, as one the synthesiser cannot read.
void FailMidiPiece(const std::string& why);
// On: a started piece also ends by itself once its whole length
// (os/audio/smf.h) has played on the virtual clock, so a looping piece loops
// as under a synthesiser.  Off (at first): it plays until EndMidiPiece.
void TimeMidiPieces(bool on);

// ---- the sound log ----
// While on (off at first), what the main mixer's buffers let a listener hear,
// in order, one line each, a buffer named by the sound it was made from
// (os::audio::CreateBuffer's label):
//   play NAME volume V pan P [looping] [frequency F] [from byte B]
//   stop NAME                (a playing buffer stopped)
//   volume NAME V, pan NAME P, frequency NAME F   (changed while it plays)
// The frequency of a play is given when it differs from the sound's own
// rate, the start when it is not the beginning.
void LogSounds(bool on);
const std::vector<std::string>& SoundLog();
void ClearSoundLog();

}  // namespace os::headless
