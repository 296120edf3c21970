// Reader of the song sources in assets/songs: tempo, channels, patterns of notes, arrangement.
#pragma once

#include <string>

#include "assetbuild/midi_writer.h"

// Parses a song source into a MIDI song. Every pattern line must fill its pattern exactly, so the
// song ends on a bar boundary with every note released. Errors throw std::runtime_error
// "<fileName>:<line>: ...".
MidiSong ParseSong(const std::string& text, const std::string& fileName);
