// sound_levels FIGHT.raw [MUSIC.raw]: the levels of recordings of the game's
// output (SDL's disk audio driver: 16-bit stereo at the mixer's output
// rate), as bench/sound_levels.sh makes them.  Says, for each, the share of
// samples at full scale, the share of 100 ms windows holding one, the peak,
// the RMS and the median 100 ms RMS; with MUSIC, how far the music alone
// lies under the fight's median.  Ends with 0 when the fight has at most
// 0.01% of its samples at full scale and the music lies within 10 dB of the
// fight's median, with 1 when not, with 2 when a file cannot be read.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "bench/sound_levels.h"
#include "os/audio/mixer.h"

namespace {

bool Read(const char* path, std::vector<uint8_t>* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

double Percent(uint64_t part, uint64_t whole) {
  return whole == 0 ? 0.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole);
}

void Say(const char* what, const bench::SoundLevels& l, uint32_t rate) {
  std::printf("%s: %.1f s; %.4f%% of samples at full scale (%llu), %.4f%% above the "
              "limiter's knee (%llu), %.1f%% of 100 ms windows hold one at full scale; peak %d; "
              "RMS %.1f dBFS, median 100 ms RMS %.1f dBFS\n",
              what, static_cast<double>(l.samples) / 2 / rate, Percent(l.full_scale, l.samples),
              static_cast<unsigned long long>(l.full_scale), Percent(l.above_knee, l.samples),
              static_cast<unsigned long long>(l.above_knee),
              Percent(l.windows_full_scale, l.windows), l.peak, l.rms_dbfs,
              l.median_window_dbfs);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: sound_levels FIGHT.raw [MUSIC.raw]\n");
    return 2;
  }
  const uint32_t rate = os::audio::OutputFormat{}.rate;
  bench::SoundLevels levels[2];
  for (int i = 1; i < argc; ++i) {
    std::vector<uint8_t> bytes;
    if (!Read(argv[i], &bytes)) {
      std::fprintf(stderr, "sound_levels: cannot read %s\n", argv[i]);
      return 2;
    }
    levels[i - 1] = bench::MeasureLevels(bytes, rate);
    Say(i == 1 ? "fight" : "music alone", levels[i - 1], rate);
  }
  bool met = Percent(levels[0].full_scale, levels[0].samples) <= 0.01;
  if (argc == 3) {
    const double under = levels[0].median_window_dbfs - levels[1].rms_dbfs;
    std::printf("the music alone lies %.1f dB under the fight's median\n", under);
    met = met && std::fabs(under) <= 10.0;
  }
  std::printf("goal (at most 0.01%% at full scale%s): %s\n",
              argc == 3 ? ", music within 10 dB of the fight" : "", met ? "met" : "missed");
  return met ? 0 : 1;
}
