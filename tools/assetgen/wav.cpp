#include "tools/assetgen/wav.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/raster.h"

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void PutTag(std::vector<std::uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

// The wave scaled so that its largest magnitude lies `peakDbfs` below full
// scale.
std::vector<std::int16_t> AtPeak(const std::vector<double>& wave, double peakDbfs) {
  double peak = 0;
  for (double v : wave) peak = std::max(peak, std::fabs(v));
  const double scale = peak > 0 ? std::pow(10.0, peakDbfs / 20) * 32768.0 / peak : 0.0;
  std::vector<std::int16_t> out(wave.size());
  for (std::size_t i = 0; i < wave.size(); ++i)
    out[i] = static_cast<std::int16_t>(std::lround(wave[i] * scale));
  return out;
}

// Short linear fades at both ends so a restart never clicks.
double EdgeFade(std::size_t i, std::size_t n, std::size_t fadeIn, std::size_t fadeOut) {
  double g = 1;
  if (i < fadeIn) g = std::min(g, static_cast<double>(i) / fadeIn);
  if (i + fadeOut >= n) g = std::min(g, static_cast<double>(n - 1 - i) / fadeOut);
  return g;
}

}  // namespace

std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& samples, int sampleRate) {
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::vector<std::uint8_t> out;
  out.reserve(44 + dataBytes);
  PutTag(out, "RIFF");
  PutLe(out, 36 + dataBytes, 4);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  PutLe(out, 16, 4);
  PutLe(out, 1, 2);  // PCM
  PutLe(out, 1, 2);  // mono
  PutLe(out, static_cast<std::uint32_t>(sampleRate), 4);
  PutLe(out, static_cast<std::uint32_t>(sampleRate) * 2, 4);  // bytes per second
  PutLe(out, 2, 2);                                           // block align
  PutLe(out, 16, 2);                                          // bits per sample
  PutTag(out, "data");
  PutLe(out, dataBytes, 4);
  for (std::int16_t s : samples) PutLe(out, static_cast<std::uint16_t>(s), 2);
  return out;
}

std::vector<std::int16_t> SynthShot(int sampleRate) {
  const std::size_t n = static_cast<std::size_t>(sampleRate * 0.09);
  std::vector<double> out(n);
  Lcg noise(7);
  double phase = 0, sub = 0, lowpass = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / sampleRate;
    const double freq = 1900.0 * std::pow(480.0 / 1900.0, t / 0.09);  // falling zap
    phase += freq / sampleRate;
    sub += freq * 0.5 / sampleRate;
    const double pulse = std::fmod(phase, 1.0) < 0.3 ? 1.0 : -1.0;
    const double sine = std::sin(2 * kPi * sub);
    const double hiss = (noise.Unit() * 2 - 1) * std::exp(-t / 0.008);
    lowpass += 0.45 * (0.45 * pulse + 0.45 * sine + 0.35 * hiss - lowpass);
    const double env = std::exp(-t / 0.035);
    out[i] = lowpass * env * EdgeFade(i, n, 22, 220);
  }
  return AtPeak(out, kShotPeakDbfs);
}

std::vector<std::int16_t> SynthBoom(int sampleRate) {
  const std::size_t n = static_cast<std::size_t>(sampleRate * 0.5);
  std::vector<double> out(n);
  Lcg noise(1234);
  double low = 0, lower = 0, thump = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / sampleRate;
    // The noise filter closes as the blast dies away: a bright crack, then rumble.
    const double cutoff = 200.0 + 3200.0 * std::exp(-t / 0.06);
    const double a = 1 - std::exp(-2 * kPi * cutoff / sampleRate);
    low += a * ((noise.Unit() * 2 - 1) - low);
    lower += a * (low - lower);
    const double freq = 38.0 + 70.0 * std::exp(-t / 0.08);
    thump += freq / sampleRate;
    const double body = std::sin(2 * kPi * thump) * std::exp(-t / 0.14);
    const double crackle = lower * 1.6 * std::exp(-t / 0.16);
    out[i] = (0.55 * body + crackle) * EdgeFade(i, n, 30, 660);
  }
  return AtPeak(out, kBoomPeakDbfs);
}

}  // namespace assetgen
