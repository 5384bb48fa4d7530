// The elSound module of the platform library: sound effects, sound packs and
// streams, and MIDI music.
#pragma once

#include "el/sound/midi_music.h"
#include "el/sound/sound_pack.h"
#include "el/sound/sound_table.h"
