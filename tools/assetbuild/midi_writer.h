// A small writer of Standard MIDI Files (format 1): one conductor track, one track per channel.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "media/byte_io.h"

constexpr int kTicksPerBeat = 480;

struct MidiNote {
    int Start = 0;      // ticks
    int Length = 1;     // ticks, at least 1
    int Key = 60;       // 0..127
    int Velocity = 90;  // 1..127
};

struct MidiChannelTrack {
    std::string Name;
    int Channel = 1;  // 1..16; 10 is the General MIDI percussion channel
    int Program = 1;  // General MIDI program 1..128 (not sent on channel 10)
    int Volume = 100, Pan = 64, Reverb = 40, Chorus = 0;
    std::vector<MidiNote> Notes;
};

struct MidiSong {
    std::string Title;
    double Tempo = 120;  // beats (quarter notes) per minute, constant
    int BeatsPerBar = 4;
    int LengthTicks = 0;  // every track ends exactly here (a bar boundary)
    std::vector<MidiChannelTrack> Tracks;
};

// The whole file. Each note's off event comes before any on event at the same tick, so repeated
// notes never cut each other, and no note sounds past LengthTicks.
Bytes WriteMidiFile(const MidiSong& song);
