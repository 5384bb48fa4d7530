#include "os/audio/smf.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <utility>

namespace os::audio {
namespace {

constexpr uint64_t kMaxTicks = 0x7FFFFFFF;  // the synthesiser counts ticks in an int
constexpr uint32_t kDefaultTempo = 500000;  // microseconds a quarter note: 120 a minute

// A tempo change: the tick it stands at, its place among the piece's
// changes, and the microseconds of a quarter note from there on.
struct TempoChange {
  uint64_t tick;
  size_t order;
  uint32_t tempo;
};

uint32_t Be32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}
unsigned Be16(const uint8_t* p) { return (unsigned{p[0]} << 8) | p[1]; }

void PutBe32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

// Sets *why; always false.
[[gnu::format(printf, 2, 3)]] bool Refuse(std::string* why, const char* format, ...) {
  char text[200];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  *why = text;
  return false;
}

// Meta events of one length only: FluidSynth refuses a file where one differs.
struct FixedMeta {
  uint8_t type;
  uint32_t length;
  const char* name;
};
constexpr FixedMeta kFixedMetas[] = {{0x2F, 0, "an end-of-track"},
                                     {0x51, 3, "a tempo"},
                                     {0x54, 5, "an SMPTE offset"},
                                     {0x58, 4, "a time signature"},
                                     {0x59, 2, "a key signature"}};

// The events of one track chunk, whose data lies in [pos, end) of the file.
class TrackReader {
 public:
  TrackReader(const std::vector<uint8_t>& file, size_t begin, size_t end, unsigned number,
              std::string* why, std::vector<TempoChange>* tempos)
      : d_(file.data()), pos_(begin), end_(end), number_(number), why_(why), tempos_(tempos) {}

  // Reads up to the end-of-track event; its end is then End().
  bool Read() {
    uint8_t running = 0;  // the status a data byte continues, 0 for none
    while (true) {
      if (pos_ == end_)
        return Refuse(why_, "track %u ends at byte %zu without an end-of-track event", number_,
                      end_);
      start_ = pos_;
      uint32_t delta;
      if (!Number(&delta)) return false;
      ticks_ += delta;
      if (ticks_ > kMaxTicks)
        return Refuse(why_, "track %u lasts more than %llu ticks", number_,
                      static_cast<unsigned long long>(kMaxTicks));
      ++events_;
      if (!Need(1)) return false;
      uint8_t status = d_[pos_];
      if (status < 0x80) {
        if (running == 0)
          return Refuse(why_, "track %u: a data byte (0x%02X) with no status before it at byte %zu",
                        number_, status, pos_);
        status = running;
      } else {
        ++pos_;
      }
      if (status < 0xF0) {
        running = status;
        const size_t data = (status & 0xE0) == 0xC0 ? 1 : 2;  // program change, channel pressure
        if (!Need(data)) return false;
        for (size_t i = 0; i < data; ++i, ++pos_)
          if (d_[pos_] >= 0x80)
            return Refuse(why_, "track %u: a status byte (0x%02X) inside the event at byte %zu",
                          number_, d_[pos_], start_);
        continue;
      }
      running = 0;  // system exclusive and meta events end a running status
      if (status == 0xF0) {
        uint32_t length;
        if (!Number(&length) || !Need(length)) return false;
        pos_ += length;
        continue;
      }
      if (status != 0xFF)
        return Refuse(why_,
                      "track %u: an event of status 0x%02X at byte %zu, which the player "
                      "does not take",
                      number_, status, start_);
      if (!Need(1)) return false;
      const uint8_t type = d_[pos_++];
      uint32_t length;
      if (!Number(&length) || !Need(length)) return false;
      for (const FixedMeta& meta : kFixedMetas)
        if (meta.type == type && meta.length != length)
          return Refuse(why_, "track %u: %s event at byte %zu with a length of %u (%u expected)",
                        number_, meta.name, start_, length, meta.length);
      if (type == 0x51 && d_[pos_] == 0 && d_[pos_ + 1] == 0 && d_[pos_ + 2] == 0)
        return Refuse(why_, "track %u: a tempo of 0 at byte %zu", number_, start_);
      if (type == 0x51) {
        const uint32_t tempo =
            (uint32_t{d_[pos_]} << 16) | (uint32_t{d_[pos_ + 1]} << 8) | d_[pos_ + 2];
        tempos_->push_back({ticks_, tempos_->size(), tempo});
      }
      pos_ += length;
      if (type == 0x2F) return true;
    }
  }

  size_t End() const { return pos_; }
  uint32_t Events() const { return events_; }
  uint64_t Ticks() const { return ticks_; }

 private:
  // `n` more bytes within the track.
  bool Need(size_t n) {
    if (end_ - pos_ >= n) return true;
    return Refuse(why_, "track %u: the event at byte %zu runs past the track's end at byte %zu",
                  number_, start_, end_);
  }

  // A variable-length number: at most four bytes, seven bits each.
  bool Number(uint32_t* value) {
    *value = 0;
    for (int i = 0; i < 4; ++i) {
      if (!Need(1)) return false;
      const uint8_t b = d_[pos_++];
      *value = (*value << 7) | (b & 0x7F);
      if (!(b & 0x80)) return true;
    }
    return Refuse(why_, "track %u: a number of more than four bytes at byte %zu", number_,
                  pos_ - 4);
  }

  const uint8_t* d_;
  size_t pos_, end_;
  size_t start_ = 0;  // where the event being read starts
  unsigned number_;
  std::string* why_;
  std::vector<TempoChange>* tempos_;
  uint32_t events_ = 0;
  uint64_t ticks_ = 0;
};

bool IsChunkId(const uint8_t* p) {
  for (int i = 0; i < 4; ++i)
    if (p[i] < 0x20 || p[i] > 0x7E) return false;
  return true;
}

// The microseconds that `ticks` ticks of `division` a quarter note last at
// the tempo changes of every track (in the order of their ticks; of two at
// one tick the later track's holds).
uint64_t Micros(std::vector<TempoChange> tempos, uint64_t ticks, unsigned division) {
  std::sort(tempos.begin(), tempos.end(), [](const TempoChange& a, const TempoChange& b) {
    return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
  });
  // Below 2^31 ticks at below 2^24 microseconds each: the sum fits.
  uint64_t sum = 0, at = 0, tempo = kDefaultTempo;
  for (const TempoChange& change : tempos) {
    if (change.tick >= ticks) break;
    sum += (change.tick - at) * tempo;
    at = change.tick;
    tempo = change.tempo;
  }
  sum += (ticks - at) * tempo;
  return sum / division;
}

bool Check(const std::vector<uint8_t>& file, SmfPiece* piece, std::string* why) {
  const size_t size = file.size();
  const uint8_t* d = file.data();
  if (size < 4 || std::memcmp(d, "MThd", 4) != 0) return Refuse(why, "not a standard MIDI file");
  if (size < 8) return Refuse(why, "cut short in its header at byte %zu", size);
  const uint32_t header = Be32(d + 4);
  if (header < 6) return Refuse(why, "a header of %u bytes (6 expected)", header);
  if (header > size - 8)
    return Refuse(why, "cut short in its header at byte %zu (the header runs to byte %llu)", size,
                  8ull + header);
  piece->format = Be16(d + 8);
  piece->tracks = Be16(d + 10);
  piece->division = Be16(d + 12);
  if (piece->format > 2) return Refuse(why, "format %u (0, 1 or 2 expected)", piece->format);
  if (piece->tracks == 0) return Refuse(why, "no tracks");
  if (piece->tracks > SmfMaxTracks)
    return Refuse(why, "%u tracks (at most %u play)", piece->tracks, SmfMaxTracks);
  if (piece->division & 0x8000) return Refuse(why, "SMPTE time, which the player does not take");
  if (piece->division == 0) return Refuse(why, "a time division of 0 ticks");

  std::vector<uint8_t>& image = piece->image;
  image.assign(d, d + 14);
  image[7] = 6;
  image[4] = image[5] = image[6] = 0;
  size_t pos = 8 + size_t{header};
  std::vector<TempoChange> tempos;
  for (unsigned track = 1; track <= piece->tracks;) {
    if (size - pos < 8) return Refuse(why, "cut short before track %u at byte %zu", track, size);
    if (!IsChunkId(d + pos))
      return Refuse(why, "no chunk at byte %zu (track %u expected)", pos, track);
    const uint32_t length = Be32(d + pos + 4);
    const size_t begin = pos + 8;
    const bool is_track = std::memcmp(d + pos, "MTrk", 4) == 0;
    if (length > size - begin) {
      if (is_track)
        return Refuse(why, "cut short in track %u at byte %zu (the track runs to byte %llu)", track,
                      size, static_cast<unsigned long long>(begin) + length);
      return Refuse(why, "cut short before track %u at byte %zu", track, size);
    }
    pos = begin + length;
    if (!is_track) continue;  // a chunk of some other kind: skipped
    TrackReader reader(file, begin, pos, track, why, &tempos);
    if (!reader.Read()) return false;
    piece->events += reader.Events();
    if (reader.Ticks() > piece->ticks) piece->ticks = static_cast<uint32_t>(reader.Ticks());
    image.insert(image.end(), d + begin - 8, d + begin - 4);
    PutBe32(image, static_cast<uint32_t>(reader.End() - begin));
    image.insert(image.end(), d + begin, d + reader.End());
    ++track;
  }
  if (piece->ticks == 0) return Refuse(why, "it lasts no time (0 ticks)");
  piece->micros = Micros(std::move(tempos), piece->ticks, piece->division);
  return true;
}

}  // namespace

bool ReadSmf(const std::vector<uint8_t>& file, SmfPiece* piece, std::string* why) {
  *piece = SmfPiece{};
  if (Check(file, piece, why)) return true;
  *piece = SmfPiece{};
  return false;
}

}  // namespace os::audio
