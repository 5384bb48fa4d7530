#include <gtest/gtest.h>

#include <stdexcept>

#include "tools/assetgen/midi.h"

namespace {

TEST(AssetgenMidi, EventsAfterTheEndAreRefused) {
  assetgen::MidiTrack t;
  t.Note(0, 480, 0, 60, 100);
  EXPECT_THROW(t.EncodeEvents(240), std::runtime_error);
  EXPECT_NO_THROW(assetgen::EncodeMidiFile(t, 480, 480));
}

}  // namespace
